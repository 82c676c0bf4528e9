// The framework's plain action: a QAction under the framework's own class name.
#pragma once

#include <QAction>

class CAction : public QAction
{
    Q_OBJECT
public:
    explicit CAction(QObject* eltern);
    ~CAction() override;
};
