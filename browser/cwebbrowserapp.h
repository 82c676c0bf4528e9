// The process-wide object of the own browser (placeholder until it is built: made once, does nothing).
#pragma once

#include <QObject>

class CWebBrowserApp : public QObject
{
    Q_OBJECT
public:
    // The object when it exists; else null, or with `create` a new one, kept until the process ends.
    static CWebBrowserApp* instance(bool create = false);
    // Applies the stored browser settings to the engine and the application proxy.
    static void loadSettings();

private:
    CWebBrowserApp();
};
