// What the settings dialog asks of the browser window that opened it: the page that window shows.
#pragma once

#include <QUrl>

class AktuelleSeite
{
public:
    virtual ~AktuelleSeite() = default;
    // The address of the page shown; empty while the window shows none.
    virtual QUrl aktuelle_seite() const = 0;
};
