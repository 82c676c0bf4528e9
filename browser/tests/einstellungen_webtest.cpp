// The browser application object and the settings dialog in a real engine.
#include "aktuelleseite.h"
#include "browsereinstellungswerte.h"
#include "browserapplication.h"
#include "cqstringsteuer.h"
#include "ctextedit.h"
#include "cwebbrowserdiag.h"
#include "cwebbrowserapp.h"
#include "dialogseam.h"
#include "downloadmanager.h"
#include "einstellungsformat.h"
#include "einstellungenanwenden.h"
#include "historymanager.h"
#include "oeffneurl.h"
#include "plattform.h"
#include "settings.h"
#include "systemwerte.h"
#include "warten.h"
#include "wegweiserseite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The local server's socket lies in the temporary folder: one of this program's own, so that
// another test program running at the same time cannot take the name "WebBrowser" from it.
class EigenerTempOrdner : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ordner = new QTemporaryDir(QStringLiteral("/tmp/webbrowser-test-XXXXXX"));
        setenv("TMPDIR", QFile::encodeName(ordner->path()).constData(), 1);
    }

private:
    QTemporaryDir* ordner = nullptr;
};

::testing::Environment* const temp_umgebung = ::testing::AddGlobalTestEnvironment(new EigenerTempOrdner);

const QStringList gruppen{QStringLiteral("MainWindow"), QStringLiteral("general"), QStringLiteral("history"),
                          QStringLiteral("downloadmanager"), QStringLiteral("websettings"),
                          QStringLiteral("cookies"), QStringLiteral("proxy")};

bool attribut(QWebEngineSettings::WebAttribute a)
{
    return QWebEngineSettings::defaultSettings()->testAttribute(a);
}

void setze(QWebEngineSettings::WebAttribute a, bool an)
{
    QWebEngineSettings::defaultSettings()->setAttribute(a, an);
}

// Every test starts on an empty browser store and leaves the engine as that store makes it.
class Einstellungen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        leere_speicher();
        // The box about missing SSL support must not wait for a user.
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                    const QStringList&, int, int) { return boxen << text, 0; });
    }
    void TearDown() override
    {
        setze_frage_funktion({});
        leere_speicher();
        wende_einstellungen_an();
    }
    static void leere_speicher()
    {
        QSettings einstellungen;
        for (const QString& gruppe : gruppen)
            einstellungen.remove(gruppe);
    }
    static QVariant gespeichert(const QString& schluessel) { return QSettings().value(schluessel); }

    QStringList boxen;
};

// A window that names its page, as the browser windows do for the dialog.
class SeitenFenster : public QWidget, public AktuelleSeite
{
public:
    QUrl aktuelle_seite() const override { return seite; }
    QUrl seite;
};

} // namespace

TEST_F(Einstellungen, AnwendungsobjektWendetDenSpeicherAufEngineUndProxyAn)
{
    // The opposite of what an empty store gives, so that each attribute shows it was set.
    setze(QWebEngineSettings::JavascriptEnabled, false);
    setze(QWebEngineSettings::ScrollAnimatorEnabled, false);
    setze(QWebEngineSettings::PluginsEnabled, false);
    setze(QWebEngineSettings::AutoLoadIconsForPage, false);
    setze(QWebEngineSettings::FullScreenSupportEnabled, false);
    setze(QWebEngineSettings::TouchIconsEnabled, true);
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("h"), 1));

    const bool neu = !CWebBrowserApp::instance(false);
    CWebBrowserApp* const app = CWebBrowserApp::instance(true);
    ASSERT_TRUE(app);
    EXPECT_EQ(CWebBrowserApp::instance(true), app);
    if (!neu) // made by an earlier test: its start-up ran then
        QTimer::singleShot(0, app, &CWebBrowserApp::postLaunch);
    QCoreApplication::processEvents();
    EXPECT_TRUE(attribut(QWebEngineSettings::JavascriptEnabled));
    EXPECT_TRUE(attribut(QWebEngineSettings::ScrollAnimatorEnabled));
    EXPECT_TRUE(attribut(QWebEngineSettings::PluginsEnabled));
    EXPECT_TRUE(attribut(QWebEngineSettings::AutoLoadIconsForPage));
    EXPECT_TRUE(attribut(QWebEngineSettings::FullScreenSupportEnabled));
    EXPECT_FALSE(attribut(QWebEngineSettings::TouchIconsEnabled));
    // A default-constructed application proxy reads back as "no proxy".
    EXPECT_EQ(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);
    EXPECT_EQ(boxen.size(), neu && !QSslSocket::supportsSsl() ? 1 : 0);

    // One set of managers for the process, whoever asks.
    EXPECT_EQ(BrowserApplication::instance(), app);
    EXPECT_EQ(CWebBrowserApp::historyManager(), BrowserApplication::historyManager());
    EXPECT_EQ(CWebBrowserApp::downloadManager(), BrowserApplication::downloadManager());

    QSettings einstellungen;
    einstellungen.setValue(QStringLiteral("proxy/enabled"), true);
    einstellungen.setValue(QStringLiteral("proxy/type"), 0);
    BrowserApplication::loadSettings();
    QNetworkProxy proxy = QNetworkProxy::applicationProxy();
    EXPECT_EQ(proxy.type(), QNetworkProxy::Socks5Proxy);
    EXPECT_EQ(proxy.hostName(), QString());
    EXPECT_EQ(proxy.port(), 1080);
    // Values of the wrong type count as absent.
    einstellungen.setValue(QStringLiteral("proxy/type"), 5);
    einstellungen.setValue(QStringLiteral("proxy/port"), QStringLiteral("x"));
    einstellungen.setValue(QStringLiteral("websettings/enableJavascript"), QStringLiteral("banana"));
    setze(QWebEngineSettings::JavascriptEnabled, false);
    BrowserApplication::loadSettings();
    proxy = QNetworkProxy::applicationProxy();
    EXPECT_EQ(proxy.type(), QNetworkProxy::HttpProxy);
    EXPECT_EQ(proxy.port(), 1080);
    EXPECT_TRUE(attribut(QWebEngineSettings::JavascriptEnabled));

    // A mode the dialog does not offer touches neither icon attribute, in either state.
    einstellungen.setValue(QStringLiteral("websettings/faviconDownloadMode"), 3);
    for (const bool seitensymbole : {false, true}) {
        setze(QWebEngineSettings::AutoLoadIconsForPage, seitensymbole);
        setze(QWebEngineSettings::TouchIconsEnabled, true);
        BrowserApplication::loadSettings();
        EXPECT_EQ(attribut(QWebEngineSettings::AutoLoadIconsForPage), seitensymbole);
        EXPECT_TRUE(attribut(QWebEngineSettings::TouchIconsEnabled));
    }
}

TEST_F(Einstellungen, LokalerServerNurFuerDenEigentuemerSchliesstJedeVerbindungOhneFenster)
{
    CWebBrowserApp* const app = CWebBrowserApp::instance(true);
    auto* const server = app->findChild<QLocalServer*>();
    ASSERT_TRUE(server && server->isListening());
    EXPECT_EQ(server->serverName(), QStringLiteral("WebBrowser"));
    const QFileInfo socketdatei(server->fullServerName());
    EXPECT_TRUE(socketdatei.permissions() & QFileDevice::WriteOwner);
    EXPECT_FALSE(socketdatei.permissions()
                 & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                    | QFileDevice::WriteOther | QFileDevice::ExeOther));

    const int fenster = QApplication::topLevelWidgets().size();
    // A peer with an address, one that floods and one that sends nothing: each is closed (within
    // the second on an idle machine; the bound only keeps a loaded one from failing).
    for (const QByteArray& nachricht :
         {QByteArray("http://127.0.0.1:9/\n"), QByteArray(4 << 20, 'a'), QByteArray()}) {
        QLocalSocket peer;
        peer.connectToServer(QStringLiteral("WebBrowser"));
        ASSERT_TRUE(peer.waitForConnected(10000));
        peer.write(nachricht);
        peer.flush();
        EXPECT_TRUE(warte([&] { return peer.state() == QLocalSocket::UnconnectedState; }, 20000)) << nachricht.size();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), fenster);
}

// The own browser takes "http" over from the desktop services; a web link opened that way (as a
// text view with external links opens a report's link) still opens: in the browser of the browser
// mode, or through the shell.
TEST_F(Einstellungen, HttpAdressenDerDesktopDiensteOeffnenNachDemBrowsermodus)
{
    QStringList fenster;
    QStringList shell;
    setze_browserfenster_fabrik([&](const QString& adresse) { fenster << adresse; });
    setze_shell_funktion([&](const QString& adresse) { return shell << adresse, true; });
    QWidget hauptfenster;
    QWidget* const vorher = gib_hauptfenster();
    setze_hauptfenster(&hauptfenster);
    registriere_browser();
    // The own window makes the browser application object, which installs the handler.
    delete new CWebBrowserDiag;
    ASSERT_NE(CWebBrowserApp::instance(), nullptr);

    const QString link = QStringLiteral("http://127.0.0.1:9/bericht?a=1");
    gib_browsermodus_variable().setze_wert_qstr(CQString(QStringLiteral("Intern")));
    EXPECT_TRUE(QDesktopServices::openUrl(QUrl(link)));
    gib_browsermodus_variable().setze_wert_qstr(CQString(QString()));
    EXPECT_TRUE(QDesktopServices::openUrl(QUrl(link)));
    // The opener's own shell road does not come back through the desktop services.
    EXPECT_TRUE(oeffne_url(QStringLiteral("http://127.0.0.1:9/x"), true));

    setze_hauptfenster(vorher);
    setze_shell_funktion({});
    setze_browserfenster_fabrik({});
    CTextEdit::setze_url_oeffner({});
    EXPECT_EQ(fenster, QStringList{link});
    EXPECT_EQ(shell, (QStringList{link, QStringLiteral("http://127.0.0.1:9/x")}));
}

TEST_F(Einstellungen, LeererSpeicherZeigtVorgabenUndOkOhneAenderungLaesstLimitUndDownloadOrdner)
{
    SettingsDialog dialog;
    EXPECT_EQ(dialog.expireHistory->currentText(), QStringLiteral("Manually"));
    EXPECT_EQ(dialog.proxyType->currentText(), QStringLiteral("Socks5"));
    EXPECT_EQ(dialog.proxyPort->value(), 1080);
    EXPECT_FALSE(dialog.proxySupport->isChecked());
    EXPECT_EQ(dialog.homeLineEdit->text(), QString());
    EXPECT_EQ(dialog.downloadsLocation->text(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_EQ(dialog.httpUserAgent->text(), QWebEngineProfile::defaultProfile()->httpUserAgent());
    EXPECT_EQ(dialog.httpAcceptLanguage->text(), SettingsDialog::acceptLanguage(QLocale().uiLanguages()));
    EXPECT_EQ(SettingsDialog::acceptLanguage({"de-DE", "de", "en"}), QStringLiteral("de-DE, de;q=0.67, en;q=0.33"));
    EXPECT_EQ(SettingsDialog::acceptLanguage({"en-US", "en"}), QStringLiteral("en-US, en;q=0.50"));
    EXPECT_EQ(SettingsDialog::acceptLanguage({"en"}), QStringLiteral("en"));
    EXPECT_EQ(SettingsDialog::acceptLanguage({}), QString());

    const int limit = BrowserApplication::historyManager()->historyLimit();
    dialog.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("history/historyExpire")).toInt(), -1);
    // Untouched: the history store keeps its limit, the download manager its folder rule.
    EXPECT_FALSE(QSettings().contains(QStringLiteral("history/historyLimit")));
    EXPECT_EQ(BrowserApplication::historyManager()->historyLimit(), limit);
    EXPECT_FALSE(QSettings().contains(QStringLiteral("downloadmanager/downloadDirectory")));
}

TEST_F(Einstellungen, GeaenderterAblaufUndDownloadOrdnerWerdenGespeichertUndWirken)
{
    QSettings().setValue(QStringLiteral("history/historyExpire"), 2);
    EXPECT_EQ(SettingsDialog().expireHistory->currentText(), QStringLiteral("Manually"));
    QSettings().setValue(QStringLiteral("history/historyExpire"), 7);
    EXPECT_EQ(SettingsDialog().expireHistory->currentText(), QStringLiteral("After one week"));

    QSettings().remove(QStringLiteral("history"));
    SettingsDialog dialog;
    dialog.expireHistory->setCurrentIndex(dialog.expireHistory->findText(QStringLiteral("After one week")));
    QTemporaryDir ordner;
    dialog.downloadsLocation->setText(ordner.path());
    dialog.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("history/historyExpire")).toInt(), 7);
    EXPECT_EQ(gespeichert(QStringLiteral("history/historyLimit")).toInt(), 7);
    EXPECT_EQ(BrowserApplication::historyManager()->historyLimit(), 7);
    EXPECT_EQ(gespeichert(QStringLiteral("downloadmanager/downloadDirectory")).toString(), ordner.path());

    SettingsDialog manuell;
    manuell.expireHistory->setCurrentIndex(manuell.expireHistory->findText(QStringLiteral("Manually")));
    manuell.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("history/historyLimit")).toInt(), -1);
    EXPECT_EQ(BrowserApplication::historyManager()->historyLimit(), -1);
    QSettings().remove(QStringLiteral("history"));
    BrowserApplication::historyManager()->loadSettings();
}

// A new profile folder while pages use the profile would end the web engine: it is stored and
// waits for the next start, the dialog says so, and the pages go on loading.
TEST_F(Einstellungen, NeuerProfilordnerBeiOffenenSeitenWirktAbDemNaechstenStart)
{
    QWebEngineProfile* const profil = QWebEngineProfile::defaultProfile();
    const QString ordner = profil->persistentStoragePath();
    QWebEngineView ansicht;
    ansicht.setPage(new WegweiserSeite([](const QUrl&, QWebEnginePage::NavigationType, bool) { return true; }, &ansicht));
    QSignalSpy geladen(&ansicht, &QWebEngineView::loadFinished);
    ansicht.setHtml(QStringLiteral("<html><head><style>p{color:red}</style></head><body><p>a</p></body></html>"));
    ASSERT_TRUE(warte([&] { return !geladen.isEmpty(); }));

    QSettings().setValue(QStringLiteral("cookies/persistentDataPath"), ordner + QStringLiteral("/"));
    EXPECT_TRUE(wende_profilordner_an());
    const QTemporaryDir neu;
    SettingsDialog dialog;
    dialog.persistentDataPath->setText(neu.path());
    dialog.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("cookies/persistentDataPath")).toString(), neu.path());
    EXPECT_EQ(profil->persistentStoragePath(), ordner);
    ASSERT_EQ(boxen.size(), 1);
    EXPECT_TRUE(boxen.first().contains(QStringLiteral("next start"))) << boxen.first().toStdString();
    ansicht.setHtml(QStringLiteral("<html><body><p>b</p></body></html>"));
    EXPECT_TRUE(warte([&] { return geladen.size() == 2 && geladen.last().first().toBool(); }));
}

TEST_F(Einstellungen, ProxyAusDemDialogWirdGespeichertUndAngewendetHohePortsBleiben)
{
    {
        SettingsDialog dialog;
        dialog.proxySupport->setChecked(true);
        dialog.proxyType->setCurrentIndex(dialog.proxyType->findText(QStringLiteral("Http")));
        dialog.proxyHostName->setText(QStringLiteral("127.0.0.1"));
        dialog.proxyPort->setValue(3128);
        dialog.accept();
    }
    EXPECT_EQ(gespeichert(QStringLiteral("proxy/enabled")).toBool(), true);
    EXPECT_EQ(gespeichert(QStringLiteral("proxy/type")).toInt(), 1);
    EXPECT_EQ(gespeichert(QStringLiteral("proxy/port")), QVariant(QStringLiteral("3128")));
    const QNetworkProxy proxy = QNetworkProxy::applicationProxy();
    EXPECT_EQ(proxy.type(), QNetworkProxy::HttpProxy);
    EXPECT_EQ(proxy.hostName(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(proxy.port(), 3128);

    QSettings().setValue(QStringLiteral("proxy/port"), 65000);
    SettingsDialog dialog;
    EXPECT_EQ(dialog.proxyPort->value(), 65000);
    dialog.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("proxy/port")), QVariant(QStringLiteral("65000")));
    EXPECT_EQ(QNetworkProxy::applicationProxy().port(), 65000);
}

TEST_F(Einstellungen, KopfzeilenWirkenSofortAbbruchSpeichertNichtStartseiteVomFenster)
{
    SeitenFenster fenster;
    auto* const dialog = new SettingsDialog(&fenster);
    dialog->httpUserAgent->setText(QStringLiteral("UA-Test"));
    emit dialog->httpUserAgent->editingFinished();
    dialog->httpAcceptLanguage->setText(QStringLiteral("xx"));
    emit dialog->httpAcceptLanguage->editingFinished();
    EXPECT_EQ(QWebEngineProfile::defaultProfile()->httpUserAgent(), QStringLiteral("UA-Test"));
    EXPECT_EQ(QWebEngineProfile::defaultProfile()->httpAcceptLanguage(), QStringLiteral("xx"));

    // A window without a page leaves the home field; one with a page gives its full address.
    dialog->homeLineEdit->setText(QStringLiteral("alt"));
    dialog->setHomeToCurrentPageButton->click();
    EXPECT_EQ(dialog->homeLineEdit->text(), QStringLiteral("alt"));
    fenster.seite = QUrl(QStringLiteral("http://127.0.0.1:9/a?b=1#c"));
    dialog->setHomeToCurrentPageButton->click();
    EXPECT_EQ(dialog->homeLineEdit->text(), QStringLiteral("http://127.0.0.1:9/a?b=1#c"));

    dialog->reject();
    EXPECT_FALSE(QSettings().contains(QStringLiteral("websettings/httpUserAgent")));
    EXPECT_FALSE(QSettings().contains(QStringLiteral("MainWindow/home")));
}

// "Open links from applications: In a new window" comes back after a restart, when the file is
// read anew; a file written before group names read back as written still gives it. The file
// that holds the proxy password is readable by the user alone.
TEST_F(Einstellungen, NeuesFensterUeberstehtDenNeustartUndDasProxyPasswortLiestNurDerBenutzer)
{
    {
        SettingsDialog dialog;
        dialog.openLinksIn->setCurrentIndex(1);
        dialog.proxyPassword->setText(QStringLiteral("geheim"));
        dialog.accept();
    }
    const QString datei = QSettings().fileName();
    // As after a restart: the file changed on disk, so the next reader takes it from there.
    const timespec spaeter[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 100, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(datei).constData(), spaeter, 0), 0);
    EXPECT_EQ(SettingsDialog().openLinksIn->currentIndex(), 1);
    EXPECT_EQ(lies_linkziel(QSettings()), 1);
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(datei).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    QTemporaryDir ordner;
    const QString alt = ordner.filePath(QStringLiteral("alt.conf"));
    QFile frueher(alt);
    ASSERT_TRUE(frueher.open(QIODevice::WriteOnly));
    frueher.write("[%General]\nopenLinksIn=1\n");
    frueher.close();
    EXPECT_EQ(lies_linkziel(QSettings(alt, einstellungsformat())), 1);
}

// Two browsers have the dialog open: each OK keeps what the other saved and it did not change.
TEST_F(Einstellungen, ZweiBrowserBehaltenBeideGeaenderteEinstellungen)
{
    SettingsDialog().accept();
    ASSERT_EQ(gespeichert(QStringLiteral("websettings/enableJavascript")).toString(), QStringLiteral("true"));
    SettingsDialog erster;
    SettingsDialog zweiter;
    erster.enableJavascript->setChecked(false);
    erster.accept();
    zweiter.homeLineEdit->setText(QStringLiteral("http://start.example/"));
    zweiter.accept();
    EXPECT_EQ(gespeichert(QStringLiteral("websettings/enableJavascript")).toString(), QStringLiteral("false"));
    EXPECT_EQ(gespeichert(QStringLiteral("MainWindow/home")).toString(), QStringLiteral("http://start.example/"));
}
