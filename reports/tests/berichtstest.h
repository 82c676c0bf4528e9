// The fixture of the report browser's tests: answers every dialog as a user would, records the boxes, the shell and the URL opener, and catches the log.
#pragma once

#include "cgbrowser.h"
#include "cgbrowserweb.h"
#include "ctextedit.h"
#include "dialogseam.h"
#include "katalog.h"
#include "logmitschnitt.h"
#include "plattform.h"
#include "steuerdaten.h"
#include "testdateien.h"
#include "verzeichnisse.h"
#include "warten.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QUrl>
#include <QStringList>
#include <QTextCodec>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

class Berichtstest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        // Boxes as "<icon>|<text>" (1 information, 2 warning).
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon symbol, const QString&, const QString& text,
                                    const QStringList&, int, int abbruch) {
            boxen << QString::number(symbol) + QLatin1Char('|') + text;
            return abbruch;
        });
        setze_shell_funktion([this](const QString& adresse) {
            shell << adresse;
            return shell_gelingt;
        });
        CTextEdit::setze_url_oeffner([this](const CQString& adresse, const bool& webadresse) {
            geoeffnet << adresse + (webadresse ? QStringLiteral("|web") : QStringLiteral("|datei"));
            return true;
        });
        setze_speichern_funktion([this](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
            ++speicherdialoge;
            return antwort;
        });
        // The print dialog: printing into a PDF file with the chosen range and order.
        setze_drucker_funktion([this](QWidget*, QPrinter& drucker) {
            ++druckdialoge;
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(druckdatei);
            drucker.setFromTo(von, bis);
            drucker.setPageOrder(reihenfolge);
            drucker.setPageSize(papier);
            return true;
        });
        gib_steuerdaten(true)->leere();
    }

    void TearDown() override
    {
        setze_frage_funktion({});
        setze_shell_funktion({});
        CTextEdit::setze_url_oeffner({});
        setze_speichern_funktion({});
        setze_drucker_funktion({});
        setze_meldung_funktion({});
        gib_katalog_privat().mapi_profil.setze_wert_qstr(CQString());
        gib_katalog_privat().pdf_reader.setze_wert_qstr(CQString());
        gib_katalog_privat().dirs_exp_html.setze_wert_qstr(CQString());
        CGBrowser::gib_druckeinstellungen().rand_links.setze_wert(2.0);
        CGBrowser::gib_druckeinstellungen().rand_oben.setze_wert(2.0);
        CGBrowser::gib_druckeinstellungen().fusszeile.setze_wert(JA);
        gib_steuerdaten(true)->leere();
    }

    QString pfad(const QString& name) const { return tmp.filePath(name); }
    QString schreibe(const QString& name, const QByteArray& inhalt) const { return schreibe_datei(tmp, name, inhalt); }
    static QByteArray lies(const QString& datei)
    {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The mail-client bridge in the application root: copies the interface file to "copy.txt",
    // writes "$0" and its arguments a line each to "args.txt", then waits while "halt" exists.
    // Critical boxes go to `boxen`.
    QString bruecke_stub()
    {
        QDir().mkpath(pfad("R/support"));
        gib_anwendungsverzeichnis(true, CQString(pfad("R/prog/app")), true);
        const QString bruecke =
            schreibe("R/RT32/CallOutlook32.exe",
                     QStringLiteral("#!/bin/sh\ncp \"$1\" '%1'\nprintf '%s\\n' \"$0\" \"$@\" > '%2'\n"
                                    "while [ -f '%3' ]; do sleep 0.05; done\n")
                         .arg(pfad("copy.txt"), pfad("args.txt"), pfad("halt"))
                         .toUtf8());
        QFile::setPermissions(bruecke, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        gib_katalog_privat().mapi_profil.setze_wert_qstr(CQString("Standard"));
        setze_meldung_funktion([this](QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            boxen << text;
            return QMessageBox::Ok;
        });
        return bruecke;
    }
    // The attachment paths of the interface file the bridge got (in the 8-bit code page, the
    // language being German).
    QStringList anlagen() const
    {
        const QStringList zeilen =
            QTextCodec::codecForName("Windows-1252")->toUnicode(lies(pfad("copy.txt"))).split("\r\n");
        const int empfaenger = zeilen.value(3).toInt();
        return zeilen.mid(7 + empfaenger, zeilen.value(6 + empfaenger).toInt());
    }

    // A link of a kind a report may hold, and the one thing the shell must get for it; empty
    // when it must reach neither the shell nor the desktop.
    struct Linkfall
    {
        QString link;
        QString ziel;
    };
    // Links beside the report in `ordner` (relative ones are meant from there) to every kind the
    // allow-list refuses (schemes, programs, scripts, files that run code when opened, an
    // office document marked executable) and to those it lets through to the shell (a mail
    // address, documents). The files are made here.
    QList<Linkfall> linkfaelle(const QString& ordner) const
    {
        const auto ausfuehrbar = [this](const QString& name, const QByteArray& inhalt) {
            const QString datei = schreibe(name, inhalt);
            QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return datei;
        };
        const QString skript = ausfuehrbar(ordner + "/start.sh", "#!/bin/sh\nexit 0\n");
        ausfuehrbar(QStringLiteral("werkzeug/lauf"), QByteArray("\x7f" "ELF\x02\x01\x01", 7));
        schreibe(ordner + "/Start.desktop", "[Desktop Entry]\nType=Application\nExec=xterm\n");
        ausfuehrbar(ordner + "/Brief.odt", "PK\x03\x04");
        for (const char* name : {"x.jar", "x.vbs", "x.js", "x.hta", "x.wsf"})
            schreibe(ordner + QLatin1Char('/') + QLatin1String(name), "WScript.Echo 1\n");
        const QString anlage = schreibe(ordner + "/Anlage.pdf", "%PDF-1.4");
        const QString tabelle = schreibe(ordner + "/Tabelle.ods", "PK\x03\x04");
        const QString mail = QStringLiteral("mailto:a@example.invalid?subject=Gruss");
        return {
            {QStringLiteral("javascript:alert('x \"y\"')"), {}},
            {QStringLiteral("vbscript:MsgBox(1)"), {}},
            {QStringLiteral("ms-msdt:/id PCWDiagnostic /skip force"), {}},
            {QStringLiteral("data:text/html,<script>alert(1)</script>"), {}},
            {QStringLiteral("ftp://example.invalid/x.txt"), {}},
            {QStringLiteral("start.sh"), {}},
            {QUrl::fromLocalFile(skript).toString(), {}},
            {QStringLiteral("Start.desktop"), {}},
            {QStringLiteral("../werkzeug/lauf"), {}},
            // The shell starts a Windows program by its suffix alone.
            {QStringLiteral("Setup.EXE"), {}},
            {QStringLiteral("x.jar"), {}},
            {QStringLiteral("x.vbs"), {}},
            {QStringLiteral("x.js"), {}},
            {QStringLiteral("x.hta"), {}},
            {QStringLiteral("x.wsf"), {}},
            // A document marked executable would be started, not opened.
            {QStringLiteral("Brief.odt"), {}},
            {mail, mail},
            {QStringLiteral("Anlage.pdf"), anlage},
            {QStringLiteral("Tabelle.ods"), tabelle},
        };
    }

    // A stub PDF viewer that adds its argument as a line to "viewer.txt"; it is made the viewer.
    QString viewer_stub(bool ausfuehrbar) const
    {
        const QString skript = schreibe(QStringLiteral("viewer.sh"), "#!/bin/sh\necho \"$1\" >> \"" +
                                                                         QFile::encodeName(pfad("viewer.txt")) + "\"\n");
        QFile::setPermissions(skript, ausfuehrbar ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  : QFile::ReadOwner | QFile::WriteOwner);
        gib_katalog_privat().pdf_reader.setze_wert_qstr(CQString(skript));
        return skript;
    }
    // The files the viewer got so far, once it got `anzahl`.
    QStringList gezeigt(int anzahl) const
    {
        QStringList dateien;
        warte([&] {
            dateien = QString::fromUtf8(lies(pfad("viewer.txt"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            return dateien.size() >= anzahl;
        }, 10000);
        return dateien;
    }

    QTemporaryDir tmp;
    LogMitschnitt log;
    QStringList boxen;
    QStringList shell;
    QStringList geoeffnet;
    bool shell_gelingt = true;
    QString antwort;
    int speicherdialoge = 0;
    QString druckdatei = tmp.filePath(QStringLiteral("druck.pdf"));
    int druckdialoge = 0;
    int von = 0;
    int bis = 0;
    QPrinter::PageOrder reihenfolge = QPrinter::FirstPageFirst;
    QPageSize papier{QPageSize::A4};
};
