// The mail hand-off on stub senders: ".mapi.txt" byte for byte, the senders' arguments, the report's copies, the SMTP sender address and time limit, the guard against a second dispatch, and failures that never pass for success.
#include "anwenderemail.h"
#include "anwendung.h"
#include "berichtstest.h"
#include "cgmail.h"
#include "cmailordner.h"
#include "cprozess.h"
#include "cprozessthread.h"
#include "dateigrenze.h"
#include "heimordner.h"
#include "verzeichnisse.h"
#include "wecker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

// R: application root with the stub senders; W: the wanted working folder; B: report files;
// S: the working folder as the sender found it.
class Mail : public Berichtstest
{
protected:
    void SetUp() override
    {
        Berichtstest::SetUp();
        if (!ist_64bit_system())
            GTEST_SKIP() << "the sender paths are those of a 64-bit system";
        QDir().mkpath(R + "/support");
        QDir().mkpath(W);
        gib_anwendungsverzeichnis(true, CQString(R + "/prog/app"), true);
        stub("CallOutlook32.exe", 0);
        stub("SendMail.exe", 0);
        setze_meldung_funktion([this](QWidget*, const QString&, const QString& text, auto, auto) {
            boxen << "3|" + text;
            return QMessageBox::Ok;
        });
        privat.mapi_profil.setze_wert_qstr(CQString("Standard"));
        mail_aktiv = false;
        mail_versuche = 0;
    }
    void TearDown() override
    {
        for (QWidget* fenster : QApplication::topLevelWidgets())
            if (qobject_cast<CProzessThread*>(fenster))
                fenster->close();
        setze_meldung_funktion({});
        setze_anwender_email_funktion({});
        setze_benutzerverwaltung_aktiv(false);
        for (CQStringSteuer* v : {&privat.mapi_profil, &privat.mapi_to, &privat.mapi_profil_nuv, &privat.mapi_to_presse,
                                  &privat.anwender})
            v->setze_wert_qstr(CQString());
        setze_sprachcode(QStringLiteral("de"));
        CGMail::gib_smtp_zeitlimit().setze_auf_default();
        Berichtstest::TearDown();
    }

    // Copies W to S and its first argument to W/copy.txt, writes "$0" and the arguments a line
    // each to W/args.txt, waits while W/halt exists, then exits with `code`.
    void stub(const QString& name, int code)
    {
        const QString datei = schreibe("R/RT32/" + name,
                                       QStringLiteral("#!/bin/sh\nrm -rf '%3'; cp -R '%1' '%3'\ncp \"$1\" '%1/copy.txt'\n"
                                                      "printf '%s\\n' \"$0\" \"$@\" > '%1/args.txt'\ni=0; while [ -f '%1/halt' ] "
                                                      "&& [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\nexit %2\n")
                                           .arg(W)
                                           .arg(code)
                                           .arg(S)
                                           .toUtf8());
        QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    std::unique_ptr<CGMail> neue_mail()
    {
        auto mail = std::make_unique<CGMail>();
        mail->wunsch_verzeichnis = CQString(W);
        mail->betreff = CQString("Test");
        mail->text = CQString("Hallo");
        QObject::connect(mail.get(), &CGMail::sendmail_signal, [this] { ++signale; });
        return mail;
    }
    // Hands the mail off and waits for its end (at most `ms`), and a little longer for a second signal.
    void sende(CGMail& mail, int ms = 15000)
    {
        signale = 0;
        mail.bereite_mail_vor();
        aktiv_danach = mail_aktiv;
        warte([this] { return signale > 0; }, ms);
        warte([] { return false; }, 100);
    }
    // The arguments the sender got, the mail's own folder written as ".mail_XXXXXX".
    QStringList argumente() const
    {
        return QString::fromUtf8(lies(W + "/args.txt"))
            .replace(QRegularExpression("/\\.mail_\\w{6}/"), "/.mail_XXXXXX/")
            .split('\n', Qt::SkipEmptyParts);
    }
    // The interface file the sender got, as it got it.
    QByteArray mapi() const { return lies(W + "/copy.txt"); }
    // The attachment paths of the interface file the sender got.
    QStringList anlagen() const
    {
        const QStringList zeilen = QString::fromUtf8(lies(W + "/copy.txt")).split("\r\n");
        const int empfaenger = zeilen.value(3).toInt();
        return zeilen.mid(7 + empfaenger, zeilen.value(6 + empfaenger).toInt());
    }
    // A file of the working folder as the sender found it.
    QByteArray gesehen(const QString& datei) const { return lies(S + datei.mid(W.size())); }
    QStringList bruecke(const QString& programm = "CallOutlook32.exe") const
    {
        return {R + "/RT32/" + programm, W + "/.mail_XXXXXX/.mapi.txt", "-na", "-wd", W};
    }
    bool geloggt(const QString& text) const
    {
        return QString::fromStdString(log.text()).contains(QRegularExpression(
            " ERROR .*: " + QRegularExpression::escape(text) + "$", QRegularExpression::MultilineOption));
    }
    // Signals so far, the mail's failure and the guard, in one line.
    QString ende(const CGMail& mail) const
    {
        return QStringLiteral("signale=%1 fehler=%2 aktiv=%3").arg(signale).arg(mail.fehler).arg(mail_aktiv);
    }
    static QString fehlerbox(const QString& detail)
    {
        return "3|Beim Versuch eine Mail zu versenden sind Fehler aufgetreten!" + detail +
               "\n\nHinweise finden Sie im Protokollfenster";
    }

    CKatalogPrivat& privat = gib_katalog_privat();
    QString R = pfad("R"), W = pfad("W"), B = pfad("B"), S = pfad("S");
    int signale = 0;
    bool aktiv_danach = false;
};

} // namespace

TEST_F(Mail, BrueckeBekommtMapiDateiByteGenauNurFuerDenBesitzer)
{
    privat.mapi_to.setze_wert_qstr(CQString("a@x.de;;b@y.de"));
    // A file of the name in the working folder is not the mail's: it stays as it was.
    schreibe("W/.mapi.txt", "alt");
    auto mail = neue_mail();
    sende(*mail);
    EXPECT_EQ(mapi(), "Standard\r\n\r\nTest\r\n2\r\na@x.de\r\nb@y.de\r\n0\r\n0\r\n0\r\n0\r\nHallo\r\n\r\n");
    const QString gegeben = QString::fromUtf8(lies(W + "/args.txt")).split('\n').value(1);
    EXPECT_EQ(QFile::permissions(S + gegeben.mid(W.size())) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(lies(W + "/.mapi.txt"), "alt");
    EXPECT_EQ(argumente(), bruecke());
    EXPECT_TRUE(aktiv_danach);
    EXPECT_EQ(ende(*mail), "signale=1 fehler=0 aktiv=0");
}

TEST_F(Mail, ZweiSeitenUndAnlagenInDateiUndText)
{
    auto mail = neue_mail();
    mail->zweite_seite = true;
    mail->anlagen_im_text = true;
    mail->berichtsdatei = CQString(schreibe("B/bericht.html", "<p>alt</p>"));
    const QString kopf = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=%1\"></head>";
    mail->html = CQString(kopf.arg("windows-1252") + "<p>Ωmega</p>");
    mail->html2 = CQString("<p>Привет</p>");
    mail->dateien = QStringList{"x.pdf"};
    sende(*mail);
    EXPECT_EQ(mail->pdf_seite, nullptr);
    // Both pages travel as a UTF-8 copy in a folder of the mail's own, which goes once the sender
    // has ended; the report itself is left as it was.
    const QString kopie = anlagen().value(0);
    EXPECT_TRUE(QRegularExpression("^" + QRegularExpression::escape(W) + "/\\.mail_\\w{6}/bericht\\.html$")
                    .match(kopie)
                    .hasMatch())
        << kopie.toStdString();
    EXPECT_EQ(QString::fromUtf8(gesehen(kopie)), kopf.arg("utf-8") + "<p>Ωmega</p><p>Привет</p>\n");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(kopie).path()));
    EXPECT_EQ(lies(B + "/bericht.html"), "<p>alt</p>");
    const QStringList zeilen = QStringList{"Standard", "", "Test", "0", "0", "0", "3", kopie, B + "/bericht2.html",
                                           W + "/x.pdf", "3", "bericht.html", "bericht2.html", "x.pdf", "Hallo", "",
                                           "Anlage: " + kopie, "", "Anlage: " + B + "/bericht2.html",
                                           "Anlage: " + W + "/x.pdf", ""};
    EXPECT_EQ(QString::fromUtf8(lies(W + "/copy.txt")), zeilen.join("\r\n") + "\r\n");
    EXPECT_EQ(signale, 1);
}

TEST_F(Mail, SmtpAbsenderAusProfilOderBenutzerSonstVerweigert)
{
    privat.mapi_profil.setze_wert_qstr(CQString("SMTP;mail.local;25;;absender@x.de"));
    auto mail = neue_mail();
    sende(*mail);
    QStringList erwartet = bruecke("SendMail.exe");
    erwartet.insert(2, "absender@x.de");
    EXPECT_EQ(argumente(), erwartet);
    EXPECT_EQ(ende(*mail), "signale=1 fehler=0 aktiv=0");

    // Without an address nothing starts; with the user administration the user is named.
    QFile::remove(W + "/args.txt");
    privat.mapi_profil.setze_wert_qstr(CQString("SMTP;mail.local;25"));
    privat.anwender.setze_wert_qstr(CQString("anwender1"));
    const QString fehlt = "Für SMTP Mailversand ist eine Absender Mailadresse erforderlich!";
    sende(*mail, 0);
    EXPECT_TRUE(geloggt(fehlt)) << log.text();
    EXPECT_EQ(boxen, QStringList{fehlerbox("")});
    EXPECT_EQ(ende(*mail), "signale=0 fehler=1 aktiv=0");
    setze_benutzerverwaltung_aktiv(true);
    setze_anwender_email_funktion([](const CQString& name) { return CQString(name == "anwender2" ? "a2@x.de" : ""); });
    sende(*mail, 0);
    EXPECT_TRUE(geloggt("Dem Benutzer 'anwender1' ist KEINE Mailadresse zugeordnet. " + fehlt));
    EXPECT_FALSE(QFile::exists(W + "/args.txt"));
    privat.anwender.setze_wert_qstr(CQString("anwender2"));
    sende(*mail);
    EXPECT_EQ(argumente().value(2), "a2@x.de");

    privat.mapi_profil.setze_wert_qstr(CQString("smtp;mail.local;25;;absender@x.de"));
    sende(*mail);
    EXPECT_EQ(argumente(), bruecke());
}

TEST_F(Mail, VorgabenNamenLogoArtUndZeichensatz)
{
    auto mail = neue_mail();
    mail->betreff.clear();
    mail->text.clear();
    sende(*mail);
    EXPECT_EQ(mapi(), "Standard\r\n\r\n??? Bericht\r\n0\r\n0\r\n0\r\n0\r\n0\r\n??? Bericht\r\n\r\n");
    EXPECT_EQ(mail->gib_anlagenname(CQString("/a/.zeigePDF.pdf"), 1), "zeigePDF.pdf");
    EXPECT_EQ(mail->gib_anlagenname(CQString("/a/"), 3), "Anlage_3");

    // A remote logo: the local one is never attached, and the report names the remote one.
    schreibe("R/support/logo.png", "png");
    const QString remote = gib_eigene_dateien().absoluteFilePath("remote_logo.txt");
    QFile datei(remote);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly) && datei.write("http://x/logo.png\n") > 0 && datei.flush());
    mail->berichtsdatei = CQString(schreibe("B/b.html", ""));
    mail->zweite_seite = true;
    mail->html = CQString("<img src=\"./logo.png\">");
    mail->dateien = QStringList{"./logo.png", "a.pdf"};
    sende(*mail);
    QFile::remove(remote);
    EXPECT_TRUE(mapi().contains("\r\n3\r\nb.html\r\nb2.html\r\na.pdf\r\n")) << mapi().constData();
    EXPECT_EQ(gesehen(anlagen().value(0)), "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                                           "<img src=\"http://x/logo.png\">\n");
    EXPECT_EQ(lies(B + "/b.html"), "");

    // Kind 11 without its own profile: the NUV profile and the press recipients.
    privat.mapi_profil_nuv.setze_wert_qstr(CQString("NUV"));
    privat.mapi_to_presse.setze_wert_qstr(CQString("p@x.de"));
    auto art11 = neue_mail();
    art11->art = 11;
    art11->text = CQString("Grüße");
    sende(*art11);
    EXPECT_EQ(mapi(), "NUV\r\n\r\nTest\r\n1\r\np@x.de\r\n0\r\n0\r\n0\r\n0\r\nGr\xFC\xDF" "e\r\n\r\n");
    setze_sprachcode(QStringLiteral("ru"));
    sende(*art11);
    EXPECT_EQ(mapi(), "\xEF\xBB\xBFNUV\r\n\r\nTest\r\n1\r\np@x.de\r\n0\r\n0\r\n0\r\n0\r\nGrüße\r\n\r\n");
}

// Two mails handed off at once, each read by its bridge only after both were written: each
// goes out once, with its own text.
TEST_F(Mail, ZweiMailsZugleichGehenJedeEinmalMitIhremText)
{
    const QString bruecke = schreibe("R/RT32/CallOutlook32.exe",
                                     QStringLiteral("#!/bin/sh\ni=0; while [ ! -f '%1/los' ] && [ $i -lt 600 ]; do sleep "
                                                    "0.05; i=$((i+1)); done\ncp \"$1\" '%1/gesendet_'$$.neu && mv "
                                                    "'%1/gesendet_'$$.neu '%1/gesendet_'$$.txt\n")
                                         .arg(W)
                                         .toUtf8());
    QFile::setPermissions(bruecke, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int enden = 0;
    auto erste = neue_mail();
    auto zweite = neue_mail();
    erste->text = CQString("Text der ersten");
    zweite->text = CQString("Text der zweiten");
    for (CGMail* mail : {erste.get(), zweite.get()}) {
        QObject::connect(mail, &CGMail::sendmail_signal, [&enden] { ++enden; });
        mail->bereite_mail_vor();
    }
    schreibe("W/los", "");
    ASSERT_TRUE(warte([&] { return enden == 2; }));
    QStringList texte;
    for (const QString& name : QDir(W).entryList({"gesendet_*.txt"}, QDir::Files))
        texte << QString::fromUtf8(lies(W + '/' + name)).split("\r\n").value(8);
    texte.sort();
    EXPECT_EQ(texte, QStringList({"Text der ersten", "Text der zweiten"}));
    EXPECT_FALSE(erste->fehler || zweite->fehler);
}

// Hand-off folders left behind: one of a killed program (marked, nothing holds it) goes with the
// next mail; one whose bridge still runs after its mail went stays until the bridge has ended; the
// user's folders of that shape (a copy of a mail's among them), a link of that name, and a folder a
// live process holds, are left alone.
TEST_F(Mail, ZurueckgelasseneUebergabeordnerGehenMitDerNaechstenMail)
{
    QString tot;
    {
        // As a killed mail leaves it: its lock went with its process.
        CMailordner getoetet(W);
        QFile mapi(getoetet.datei(".mapi.txt"));
        ASSERT_TRUE(mapi.open(QIODevice::WriteOnly) && mapi.write("Standard\r\ngeheim\r\n") > 0);
        tot = QFileInfo(mapi).path();
        ASSERT_TRUE(QFile::link(pfad("fremd"), getoetet.datei("anlage")));
        getoetet.behalten();
    }
    const QStringList eigene{"W/.mail_backup/2024/inbox.mbox", "W/.mail_archiv/a.eml", "W/.mail_kopie1/a.pdf"};
    for (const QString& datei : eigene)
        schreibe(datei, datei.toUtf8());
    // A copy of a mail's folder that the user keeps, mark and all.
    ASSERT_TRUE(QFile::copy(tot + "/.mailordner", W + "/.mail_kopie1/.mailordner"));
    QDir().mkpath(pfad("fremd"));
    ASSERT_TRUE(QFile::link(pfad("fremd"), W + "/.mail_link12"));
    QDir().mkpath(W + "/.mail_lebt12");
    const int halter = ::open(QFile::encodeName(W + "/.mail_lebt12").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(halter, LOCK_EX), 0);
    schreibe("W/halt", "");
    auto erste = neue_mail();
    erste->bereite_mail_vor();
    ASSERT_TRUE(warte([this] { return QFile::exists(W + "/args.txt"); }));
    EXPECT_FALSE(QFileInfo::exists(tot));
    const QString ordner = QFileInfo(QString::fromUtf8(lies(W + "/args.txt")).split('\n').value(1)).path();
    erste.reset();
    auto zweite = neue_mail();
    zweite->bereite_mail_vor();
    EXPECT_TRUE(QFileInfo::exists(ordner + "/.mapi.txt"));
    QFile::remove(W + "/halt");
    EXPECT_TRUE(warte([&] { return CMailordner(W).ist_gueltig() && !QFileInfo::exists(ordner); }));
    EXPECT_TRUE(QFileInfo(W + "/.mail_link12").isSymLink() && QFileInfo::exists(W + "/.mail_lebt12"));
    for (const QString& datei : eigene)
        EXPECT_EQ(lies(pfad(datei)), datei.toUtf8()) << datei.toStdString();
    ::close(halter);
}

// Line ends in the subject, in the text taken as subject, in a recipient setting and in an
// attachment's name: every field stays on its line, the recipients are the user's, and the
// attachment is found under a name without the line end.
TEST_F(Mail, ZeilenendenInFeldernTeilenDieUebergabedateiNicht)
{
    privat.mapi_to.setze_wert_qstr(CQString("a@x.de\r\nb@y.de;\n"));
    const QString anlage = schreibe("W/zwei\nZeilen.pdf", "%PDF anlage");
    auto mail = neue_mail();
    mail->betreff = CQString("Monatsbericht\r\n1\r\nfremd@example.invalid");
    mail->dateien = QStringList{anlage};
    sende(*mail);
    QStringList zeilen = QString::fromUtf8(mapi()).split("\r\n");
    ASSERT_EQ(zeilen.size(), 15) << mapi().constData();
    const QString pfad = zeilen.value(9);
    EXPECT_EQ(zeilen.mid(0, 9), QStringList({"Standard", "", "Monatsbericht  1  fremd@example.invalid", "2", "a@x.de",
                                             "b@y.de", "0", "0", "1"}));
    EXPECT_EQ(zeilen.mid(10), QStringList({"1", "zwei Zeilen.pdf", "Hallo", "", ""}));
    EXPECT_EQ(gesehen(pfad), "%PDF anlage") << pfad.toStdString();
    EXPECT_EQ(ende(*mail), "signale=1 fehler=0 aktiv=0");

    // No subject: the text of several lines is the subject on one line, and the text keeps its lines.
    auto ohne = neue_mail();
    ohne->betreff.clear();
    ohne->text = CQString("Erste\r\nZweite\rDritte");
    sende(*ohne);
    zeilen = QString::fromUtf8(mapi()).split("\r\n");
    EXPECT_EQ(zeilen.value(2), "Erste  Zweite Dritte");
    EXPECT_EQ(zeilen.mid(10), QStringList({"Erste", "Zweite", "Dritte", "", ""}));
}

// A report and an attachment named in Cyrillic and Chinese, the language German: the interface
// file turns UTF-8 with its mark, and the bridge finds both files under the names it read.
TEST_F(Mail, AnlagenInFremderSchriftFindetDieBruecke)
{
    const QString bericht = schreibe("B/Отчёт 報告.txt", "Kunde Иванов Ort 東京\n");
    const QString anlage = schreibe("W/Счёт 請求.pdf", "%PDF счёт");
    auto mail = neue_mail();
    mail->zweite_seite = true;
    mail->berichtsdatei = CQString(bericht);
    mail->dateien = QStringList{anlage};
    sende(*mail);
    const QByteArray datei = mapi();
    ASSERT_TRUE(datei.startsWith("\xEF\xBB\xBF")) << datei.constData();
    const QStringList zeilen = QString::fromUtf8(datei.mid(3)).split("\r\n");
    EXPECT_EQ(zeilen.mid(6, 1), QStringList{"3"});
    EXPECT_EQ(zeilen.mid(10, 4), QStringList({"3", "Отчёт 報告.txt", "Отчёт 報告2.html", "Счёт 請求.pdf"}));
    EXPECT_EQ(QString::fromUtf8(gesehen(zeilen.value(7))), "\xEF\xBB\xBF" "Kunde Иванов Ort 東京\n");
    EXPECT_EQ(gesehen(zeilen.value(9)), "%PDF счёт");
}

// A report text that is a pipe is never waited for: the mail keeps its text and the file's name.
TEST_F(Mail, RohrAlsBerichtstextWartetNicht)
{
    const Wecker wecker;
    const QString rohr = pfad("rohr.html");
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    auto mail = neue_mail();
    mail->html = CQString("vorher");
    mail->lies_text(CQString(rohr), true);
    EXPECT_EQ(mail->html, QStringLiteral("vorher"));
    EXPECT_EQ(mail->berichtsdatei, rohr);
}

TEST_F(Mail, ZweiterVersandViermalVerweigertDannFrei)
{
    schreibe("W/halt", "");
    auto mail = neue_mail();
    mail->bereite_mail_vor();
    ASSERT_TRUE(mail_aktiv);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(mailversand_frei(false)) << i;
    EXPECT_TRUE(boxen.isEmpty());
    EXPECT_TRUE(mailversand_frei(false));
    EXPECT_FALSE(mailversand_frei(true));
    const QString warnung = "Ein Mailversand ist bereits aktiv!\nBeenden Sie das 'Senden'-Fenster Ihres Mail-Clients.\n"
                            "Danach wiederholen Sie bitte den Vorgang.";
    EXPECT_EQ(boxen, QStringList{"2|" + warnung});
    QFile::remove(W + "/halt");
    EXPECT_TRUE(warte([&] { return signale == 1 && !mail_aktiv; }));
    EXPECT_TRUE(mailversand_frei(false));
}

TEST_F(Mail, FehlschlaegeGeltenNieAlsVersandt)
{
    // A bridge that fails, and one that is missing: the end says so, and the guard is free.
    stub("CallOutlook32.exe", 1);
    auto mail = neue_mail();
    sende(*mail);
    EXPECT_EQ(ende(*mail), "signale=1 fehler=1 aktiv=0");
    QFile::remove(R + "/RT32/CallOutlook32.exe");
    sende(*mail);
    EXPECT_EQ(ende(*mail), "signale=1 fehler=1 aktiv=0");
    EXPECT_TRUE(mailversand_frei(false));

    // A missing SMTP sender: the box comes once its runner's dialog is closed. (Whether the
    // missing bridge above got a box depends on how fast its worker failed: a run that does not
    // wait reads the error flag at once.)
    boxen.clear();
    QFile::remove(R + "/RT32/SendMail.exe");
    privat.mapi_profil.setze_wert_qstr(CQString("SMTP;mail.local;25;;absender@x.de"));
    int boxen_beim_schliessen = -1;
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, [&] {
        CProzessThread* dialog = mail->prozess ? mail->prozess->gib_dialog() : nullptr;
        if (dialog && dialog->findChild<QTextEdit*>("ftextbroser")->toPlainText().contains("ACHTUNG")) {
            boxen_beim_schliessen = boxen.size();
            dialog->close();
        }
    });
    wache.start(20);
    sende(*mail);
    wache.stop();
    EXPECT_EQ(boxen_beim_schliessen, 0);
    EXPECT_EQ(boxen, QStringList{fehlerbox("")});
    EXPECT_EQ(ende(*mail), "signale=1 fehler=1 aktiv=0");

    // A report file that cannot be read stays a failure after a good start.
    privat.mapi_profil.setze_wert_qstr(CQString("Standard"));
    stub("CallOutlook32.exe", 0);
    boxen.clear();
    auto zwei = neue_mail();
    zwei->zweite_seite = true;
    zwei->berichtsdatei = CQString(B + "/fehlt/bericht.html");
    sende(*zwei);
    EXPECT_TRUE(geloggt("Konnte Berichtsdatei '" + B + "/fehlt/bericht.html' nicht lesen: keine Datei")) << log.text();
    EXPECT_EQ(ende(*zwei), "signale=1 fehler=1 aktiv=0");
    EXPECT_TRUE(boxen.isEmpty());

    // No room (the file-size limit stands in for a full disk) for the report's copy, nor for the
    // hand-off file: each failure names the system's reason.
    zwei->berichtsdatei = CQString(schreibe("B/gross.txt", QByteArray(8000, 'x')));
    zwei->betreff = CQString(QString(2000, 'b'));
    {
        const Dateigrenze grenze(1024);
        sende(*zwei, 300);
    }
    for (const QString datei : {"Ausgabedatei '[^']*/gross.txt'", "Interfacedatei '[^']*/.mapi.txt'"})
        EXPECT_TRUE(QString::fromStdString(log.text()).contains(QRegularExpression(
            "ERROR .*: Konnte " + datei + " nicht oeffnen. " + qt_error_string(EFBIG) + "$", QRegularExpression::MultilineOption)))
            << log.text();
    boxen.clear();

    // No working folder: nothing starts, whether the mail has a report to copy there or not.
    QFile::remove(W + "/args.txt");
    zwei->wunsch_verzeichnis = CQString(B + "/fehlt");
    sende(*zwei, 300);
    const QString ordner = "Konnte Ordner '" + B + "/fehlt/.mail_XXXXXX' nicht anlegen: No such file or directory";
    EXPECT_TRUE(geloggt(ordner)) << log.text();
    EXPECT_EQ(boxen, QStringList{fehlerbox("\n" + ordner)});
    EXPECT_EQ(ende(*zwei), "signale=0 fehler=1 aktiv=0");
    boxen.clear();
    zwei->berichtsdatei.clear();
    sende(*zwei, 300);
    EXPECT_EQ(boxen, QStringList{fehlerbox("\n" + ordner)});
    EXPECT_FALSE(QFile::exists(W + "/args.txt"));
    EXPECT_EQ(ende(*zwei), "signale=0 fehler=1 aktiv=0");
}

TEST_F(Mail, HaengenderSmtpSenderEndetNachDemZeitlimitSamtKindernAlsFehlschlag)
{
    // A sender that hangs while W/halt exists, with a child of its own that would outlive it.
    const QString sender = schreibe("R/RT32/SendMail.exe",
                                    QStringLiteral("#!/bin/sh\nsleep 300 >/dev/null 2>&1 &\necho $! > '%1/kind.pid'\n"
                                                   "while [ -f '%1/halt' ]; do sleep 0.05; done\n")
                                        .arg(W)
                                        .toUtf8());
    QFile::setPermissions(sender, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    schreibe("W/halt", "");
    privat.mapi_profil.setze_wert_qstr(CQString("SMTP;mail.local;25;;absender@x.de"));
    CGMail::gib_smtp_zeitlimit().setze_wert(1);
    auto mail = neue_mail();

    // The runner's dialog is closed as the user would once it tells the failure; a run without
    // limit would only end when the sender is let go after 20 s.
    QString dialogtext;
    QElapsedTimer uhr;
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, [&] {
        if (uhr.elapsed() > 20000)
            QFile::remove(W + "/halt");
        CProzessThread* dialog = mail->prozess ? mail->prozess->gib_dialog() : nullptr;
        QTextEdit* text = dialog ? dialog->findChild<QTextEdit*>("ftextbroser") : nullptr;
        if (text && text->toPlainText().contains("ACHTUNG")) {
            dialogtext = text->toPlainText();
            dialog->close();
        }
    });
    uhr.start();
    wache.start(20);
    sende(*mail, 30000);
    wache.stop();

    // Only the limit ends the run with this text: a sender let go would end without it.
    EXPECT_TRUE(dialogtext.contains("Zeitablauf -- der Prozess wurde noch nicht beendet")) << dialogtext.toStdString();
    EXPECT_EQ(boxen, QStringList{fehlerbox("")});
    EXPECT_EQ(ende(*mail), "signale=1 fehler=1 aktiv=0");
    const int kind = QString::fromUtf8(lies(W + "/kind.pid")).trimmed().toInt();
    ASSERT_GT(kind, 0);
    EXPECT_TRUE(prozess_ist_weg(kind));
    ::kill(kind, SIGKILL);
}
