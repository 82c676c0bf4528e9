// Catches what web pages hand to the desktop's URL handlers (QDesktopServices), scheme by scheme, while it lives.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

class Schreibtisch : public QObject
{
    Q_OBJECT
public:
    explicit Schreibtisch(const QStringList& schemata) : schemata(schemata)
    {
        for (const QString& schema : schemata)
            QDesktopServices::setUrlHandler(schema, this, "nimm");
    }
    ~Schreibtisch() override
    {
        for (const QString& schema : schemata)
            QDesktopServices::unsetUrlHandler(schema);
    }
    // Every address handed over, as text.
    QStringList adressen;

public slots:
    void nimm(const QUrl& adresse) { adressen << adresse.toString(); }

private:
    QStringList schemata;
};
