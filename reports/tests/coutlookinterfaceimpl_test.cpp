// The mail-client interface: the bridge chosen, what it is told and what its result file says, and drags and drops of files, links and mail items.
#include "coutlookinterfaceimpl.h"
#include "hilfsprogramm.h"
#include "katalog.h"
#include "logmitschnitt.h"
#include "plattform.h"
#include "steuerdaten.h"
#include "verzeichnisse.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString deskriptor = QStringLiteral("application/x-qt-windows-mime;value=\"FileGroupDescriptor\"");
const QString inhalt = QStringLiteral("Outlook/FileContents");

// A file group descriptor that claims `anzahl` items and holds entries for `namen`.
QByteArray gruppe(quint32 anzahl, const QStringList& namen)
{
    QByteArray daten(4 + 332 * namen.size(), '\0');
    qToLittleEndian(anzahl, daten.data());
    for (int i = 0; i < namen.size(); ++i)
        daten.replace(4 + 332 * i + 72, namen[i].size(), namen[i].toLatin1());
    return daten;
}

QStringList debug_zeilen;
bool passt(const QString& muster, const QString& text) { return QRegularExpression(muster).match(text).hasMatch(); }

// R: an application root with "support/" and the bridge stub; T: the temporary folder (TMPDIR
// while a test runs); D: a destination folder.
class MailClient : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(wurzel.filePath("support"));
        gib_anwendungsverzeichnis(true, CQString(wurzel.filePath("prog/app")), true);
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        T = QDir::tempPath();
    }
    void TearDown() override
    {
        tmpdir_vorher.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir_vorher);
        qInstallMessageHandler(nullptr);
        if (auto* speicher = gib_steuerdaten(false))
            speicher->leere();
        gib_katalog_privat().mapi_profil.setze_wert_qstr(CQString());
    }

    // The 64-bit system's bridge: records "$0" and its arguments, one a line, then runs `rest`.
    QString stub(const QString& rest)
    {
        QDir().mkpath(wurzel.filePath("RT32"));
        QFile datei(wurzel.filePath("RT32/CallOutlook32.exe"));
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" >> " + wurzel.filePath("aufrufe") + "\n" + rest).toUtf8());
        datei.setPermissions(datei.permissions() | QFileDevice::ExeOwner);
        return datei.fileName();
    }
    QString aufrufe() const
    {
        QFile datei(wurzel.filePath("aufrufe"));
        return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
    }
    // Whether a logger line of that priority ends with the text.
    bool geloggt(const QString& prioritaet, const QString& text) const
    {
        return passt("(?m) " + prioritaet + " .*" + QRegularExpression::escape(text) + "$", QString::fromStdString(log.text()));
    }
    // The drag enters (the event must say what the answer says), then, with `fallen`, is dropped.
    bool zieh(QMimeData& daten, bool fallen = false)
    {
        QDragEnterEvent e(QPoint(1, 1), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        e.accept();
        const bool angenommen = oi.pruefe_drag(&e);
        EXPECT_EQ(angenommen, e.isAccepted());
        QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        return e.isAccepted() && (!fallen || oi.action_dropEvent(&drop));
    }

    const QByteArray tmpdir_vorher = qgetenv("TMPDIR");
    QTemporaryDir wurzel, temp, ziel;
    QString T, D = ziel.path();
    LogMitschnitt log;
    COutlook_Interface_Impl oi;
};

} // namespace

TEST_F(MailClient, WaehleHilfsprogrammNachProfilUndWortbreite)
{
    if (!ist_64bit_system())
        GTEST_SKIP() << "the expected paths are those of a 64-bit system";
    EXPECT_EQ(waehle_hilfsprogramm("SMTP;x"), QString("/RT32/SendMail.exe"));
    EXPECT_EQ(waehle_hilfsprogramm("smtp;x"), QString("/RT32/CallOutlook32.exe"));
    gib_katalog_privat().mapi_profil.setze_wert_qstr(CQString("SMTP;a"));
    EXPECT_EQ(waehle_hilfsprogramm(""), QString("/RT32/SendMail.exe"));
    gib_steuerdaten(true)->setze_wert("/Privat/Outlook64", QStringLiteral("true"));
    EXPECT_EQ(waehle_hilfsprogramm("Profil"), QString("/CallOutlook64.exe"));
}

// The result file starts with a byte-order mark and has blanks around cells, and lines that
// are empty, short or of an unknown kind; the bridge fails, which changes nothing.
TEST_F(MailClient, ExplorerMailsKommenAusDerErgebnisdatei)
{
    const QString programm = stub("printf '\\357\\273\\277inf;Hallo\\r\\n file ; " + D
                                  + "/a.msg \\r\\nwarn; W \\r\\nfoo;bar\\r\\nerr\\r\\n\\r\\n' > \"$3\"; echo x >&2; exit 2");
    EXPECT_EQ(oi.speichere_explorer_msg(D, "wurst"), QStringList{D + "/a.msg"});
    EXPECT_TRUE(passt("^" + QRegularExpression::escape(programm + "\n-mail\n-back\n" + T) + "/CallOutlook_result_\\w{6}\\.csv"
                          + QRegularExpression::escape("\n-dest\n" + D + "\n-name\nwurst\n") + "$", aufrufe()))
        << aufrufe().toStdString();
    EXPECT_TRUE(QDir(T).entryList({"CallOutlook*"}).isEmpty());
    EXPECT_TRUE(geloggt("INFO", "OI: Hallo")) << log.text();
    EXPECT_TRUE(geloggt("DEBUG", "OI: Datei: " + D + "/a.msg"));
    EXPECT_TRUE(geloggt("WARN", "OI: W"));
    EXPECT_FALSE(geloggt("ERROR", ""));
    EXPECT_EQ(log.text().find("foo"), std::string::npos);
}

// Attachments known only by name are saved by the bridge into a folder of the process's own;
// only what it really saved is listed, never a file of that name someone put in the shared
// temporary folder. The descriptor's count, 128, is no signed byte.
TEST_F(MailClient, AnlageNurGelistetWennDieBrueckeSieGespeicherthat)
{
    QFile(T + "/n.msg").open(QIODevice::WriteOnly);
    const QString programm = stub("[ \"$5\" = m.msg ] && echo x > \"$3/$5\" || { echo kaputt >&2; exit 3; }");
    EXPECT_TRUE(oi.speichere_anlage_msg(D, "m.msg"));
    EXPECT_EQ(aufrufe(), programm + "\n-anlage\n-dest\n" + D + "\n-name\nm.msg\n");
    EXPECT_TRUE(geloggt("INFO", "Starte " + programm + " -anlage -name 'm.msg'"));

    oi.setze_dateien_akzeptiert(true);
    QMimeData daten;
    daten.setData(deskriptor, gruppe(128, {"m.msg", "n.msg"}));
    daten.setData(inhalt, QByteArray());
    ASSERT_TRUE(zieh(daten, true));
    EXPECT_TRUE(aufrufe().endsWith("\nn.msg\n"));
    ASSERT_TRUE(oi.action_dropFile());
    ASSERT_EQ(oi.gib_dateien().size(), 1);
    const QFileInfo geholt(oi.gib_dateien().front());
    EXPECT_EQ(geholt.fileName(), "m.msg");
    EXPECT_EQ(geholt.dir().dirName().left(11), "mailablage-");
    EXPECT_EQ(QFileInfo(geholt.path()).path(), T);
    EXPECT_FALSE(QFileInfo(geholt.path()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_TRUE(oi.geliefert_temporaer());
    EXPECT_TRUE(geloggt("ERROR", "'" + geholt.path() + "/n.msg' wurde nicht gespeichert")) << log.text();
}

TEST_F(MailClient, DragPrueftEndungenUndNimmtLinksAlsNamen)
{
    const QString txt = D + "/x.txt";
    QFile(txt).open(QIODevice::WriteOnly);
    QMimeData datei;
    datei.setData("application/x-qt-windows-mime;value=\"FileName\"", txt.toUtf8());
    datei.setUrls({QUrl::fromLocalFile(txt)});
    oi.setze_dateien_akzeptiert(true);
    oi.setze_endungen({"PDF"});
    EXPECT_FALSE(zieh(datei));
    oi.setze_endungen({});
    EXPECT_TRUE(zieh(datei));

    QMimeData link;
    link.setData("text/x-moz-url", QByteArray("https://example.invalid/a"));
    link.setData(inhalt, QByteArray("Hallo"));
    EXPECT_TRUE(zieh(link));
    EXPECT_TRUE(oi.dateinamen_angeboten());
    EXPECT_FALSE(oi.dateiinhalt_angeboten());
}

// One contents stream belongs to the first item; a descriptor claiming more items than it holds
// gives those it holds; paths in names are dropped.
TEST_F(MailClient, InhaltGehoertNurZurErstenAnlage)
{
    oi.setze_dateien_akzeptiert(true);
    qInstallMessageHandler([](QtMsgType t, const QMessageLogContext&, const QString& text) {
        if (t == QtDebugMsg)
            debug_zeilen << text;
    });
    QMimeData daten;
    daten.setData(deskriptor, gruppe(3, {"..\\..\\x/a.txt", "b.txt"}));
    daten.setData(inhalt, QByteArray("Hallo"));
    debug_zeilen.clear();
    ASSERT_TRUE(zieh(daten, true));
    EXPECT_EQ(debug_zeilen.filter("Drop Anlage"), (QStringList{"Drop Anlage 1: 'a.txt'", "Drop Anlage 2: 'b.txt'"}));
    EXPECT_TRUE(geloggt("WARN", "Anlage 'b.txt' übersprungen: der Drop enthält nur den Inhalt der ersten Anlage"));
    EXPECT_EQ(QDir(T).entryList({"b*"}).size(), 0);
    ASSERT_TRUE(oi.action_dropFile());
    ASSERT_EQ(oi.gib_dateien().size(), 1);
    const QString kopie = oi.gib_dateien()[0];
    EXPECT_TRUE(passt("^" + QRegularExpression::escape(T) + "/a_[A-Za-z0-9]{6}\\.txt$", kopie)) << kopie.toStdString();
    QFile datei(kopie);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll(), QByteArray("Hallo"));
    EXPECT_TRUE(oi.geliefert_temporaer());
}

// A linked XML file arrives as a temporary copy; no second drag is taken before delivery.
TEST_F(MailClient, LinkAufXmlKommtAlsKopie)
{
    const QByteArray xml("<?xml version=\"1.0\"?>\n<bericht>Hallo</bericht>\n");
    QFile datei(D + "/Bericht.XML");
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly) && datei.write(xml) == xml.size() && datei.flush());
    oi.setze_xml_akzeptiert(true);
    QMimeData daten;
    daten.setData("text/x-moz-url", QUrl::fromLocalFile(datei.fileName()).toEncoded());
    daten.setUrls({QUrl::fromLocalFile(datei.fileName())});
    ASSERT_TRUE(zieh(daten, true));
    EXPECT_FALSE(zieh(daten));
    ASSERT_TRUE(oi.action_dropXMLFile());
    ASSERT_EQ(oi.gib_xml_dateien().size(), 1);
    const QString kopie = oi.gib_xml_dateien()[0];
    EXPECT_TRUE(passt("^" + QRegularExpression::escape(T) + "/bericht_[A-Za-z0-9]{6}\\.xml$", kopie)) << kopie.toStdString();
    EXPECT_TRUE(oi.geliefert_temporaer());
    QFile kopiert(kopie);
    ASSERT_TRUE(kopiert.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopiert.readAll(), xml);
    EXPECT_TRUE(zieh(daten));
}
