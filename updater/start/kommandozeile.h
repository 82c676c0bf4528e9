// The updater's command line: keywords with "/" or "-", the install and "dst" values, and the version line.
#pragma once

#include <QString>
#include <QStringList>

struct CKommandozeile
{
    // How the argument loop ended: at the end of the list, or at an option that ends the program.
    enum class Ende { Normal, Registrierung, Version };

    int modus = 0; // 0 plain start, 1 "install", 2 "uninstall"
    QString archiv = QStringLiteral("update.zip");
    QString quelle;
    QString ziel;
    bool dbx = false;
    bool en = false;
    bool silent = false;
    // Every "cons" opens the console and greets on it, in the order given.
    int konsolen = 0;
    Ende ende = Ende::Normal;
    // The registration option as given ("/REGSERVER" or "/UNREGSERVER", any case).
    QString registrierung;
};

// Reads the arguments (index 0, the program, included) as the updater's argument loop does.
// A value after "install" or "dst" that is one of the program's own options ("/" or "-" and a
// known keyword) is not taken as archive, source or target folder.
CKommandozeile lies_kommandozeile(const QStringList& argumente);

// True for "/" or "-" followed by one of the program's keywords, in any case.
bool ist_eigene_option(const QString& argument);

// "UPDATER Version 5.9.3.7 vom 09.02.18", with " 64Bit" on a 64-bit system.
QString gib_versionstext();
