#include "browserapplication.h"
#include "browsereinstellungswerte.h"
#include "autosaver.h"
#include "bookmarksmanager.h"
#include "cwebbrowserapp.h"
#include "downloadmanager.h"
#include "einstellungenanwenden.h"
#include "historymanager.h"
#include "lokalnachricht.h"
#include "browsermainwindow.h"
#include "gespeicherterzustand.h"
#include "tabwidget.h"
#include "webpage.h"
#include "webview.h"

#include <QApplication>
#include <QDataStream>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QPointer>
#include <QSettings>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// What the accessors hand out, once for the process.
struct CHalter
{
    QPointer<QObject> anwendungsobjekt;
    HistoryManager* history = nullptr;
    DownloadManager* downloads = nullptr;
    BookmarksManager* bookmarks = nullptr;
    QIcon standardicon;
    bool privat = false;
    // The application whose end writes the pending saves.
    QPointer<QCoreApplication> speichert_beim_beenden;
    // Further auto-savers flushed at the end; a destroyed one drops out by itself.
    QList<QPointer<AutoSaver>> weitere_saver;
    BrowserZustand* zustand = nullptr;
    // The last saved session, read from the store when first needed.
    QByteArray letzte_sitzung;
    bool sitzung_bekannt = false;
};

CHalter& halter()
{
    static CHalter* h = new CHalter;
    return *h;
}

// Once per application object: without it nothing would write what the managers' auto-savers
// still hold when the program ends.
void speichere_beim_beenden()
{
    QCoreApplication* const anwendung = QCoreApplication::instance();
    if (!anwendung || halter().speichert_beim_beenden == anwendung)
        return;
    halter().speichert_beim_beenden = anwendung;
    QObject::connect(anwendung, &QCoreApplication::aboutToQuit, &BrowserApplication::speichere_alle);
}

// The slot's one manager, made when there is none yet.
template <typename Manager>
Manager* gib_manager(Manager*& platz)
{
    if (!platz)
        platz = new Manager(nullptr);
    speichere_beim_beenden();
    return platz;
}

template <typename Manager>
bool nimm_an(Manager*& platz, Manager* manager)
{
    if (platz && platz != manager)
        return false;
    platz = manager;
    speichere_beim_beenden();
    return true;
}

} // namespace

QObject* BrowserApplication::instance()
{
    if (QObject* objekt = halter().anwendungsobjekt)
        return objekt;
    return QCoreApplication::instance();
}

HistoryManager* BrowserApplication::historyManager()
{
    return gib_manager(halter().history);
}

DownloadManager* BrowserApplication::downloadManager()
{
    return gib_manager(halter().downloads);
}

BookmarksManager* BrowserApplication::bookmarksManager()
{
    return gib_manager(halter().bookmarks);
}

QIcon BrowserApplication::icon(const QUrl&)
{
    if (halter().standardicon.isNull())
        halter().standardicon = QIcon(QStringLiteral(":defaulticon.png"));
    return halter().standardicon;
}

QString BrowserApplication::aboutText()
{
    const QString chromium = QStringLiteral("https://www.chromium.org/");
    return QCoreApplication::translate(
               "BrowserApplication",
               "%1 Version %2<p>Browser basierend auf Qt.<p>Verwendet die 'Qt WebEngine'.<p><p>Qt WebEngine basiert "
               "auf dem Chromium open Source Project entwickelt unter ")
               .arg(QStringLiteral("WebBrowser"), QStringLiteral("1.0.0.4"))
           + QStringLiteral("<a href=\"%1\">%1</a>.").arg(chromium)
           + QStringLiteral("<p>This version of Qt WebEngine is based on Chromium snapshot version 45.0.2554.101, "
                            "with additional security fixes from the 46, 47 and 48 branches of the Chromium Project.");
}

bool BrowserApplication::privateBrowsing()
{
    return halter().privat;
}

void BrowserApplication::setze_privateBrowsing(bool an)
{
    halter().privat = an;
}

void BrowserApplication::loadSettings()
{
    if (CWebBrowserApp::instance(false))
        CWebBrowserApp::loadSettings();
    else
        zustand()->ladeEinstellungen();
}

void BrowserApplication::setze_anwendungsobjekt(QObject* objekt)
{
    halter().anwendungsobjekt = objekt;
}

bool BrowserApplication::uebernimm(HistoryManager* manager)
{
    return nimm_an(halter().history, manager);
}

bool BrowserApplication::uebernimm(DownloadManager* manager)
{
    return nimm_an(halter().downloads, manager);
}

void BrowserApplication::speichere_alle()
{
    const QObject* const manager[] = {halter().history, halter().downloads, halter().bookmarks};
    for (const QObject* m : manager)
        if (m)
            for (AutoSaver* saver : m->findChildren<AutoSaver*>(QString(), Qt::FindDirectChildrenOnly))
                saver->saveIfNecessary();
    const QList<QPointer<AutoSaver>> weitere = halter().weitere_saver;
    for (const QPointer<AutoSaver>& saver : weitere)
        if (saver)
            saver->saveIfNecessary();
}

void BrowserApplication::speichere_beim_beenden(AutoSaver* saver)
{
    QList<QPointer<AutoSaver>>& liste = halter().weitere_saver;
    liste.removeAll(QPointer<AutoSaver>());
    liste.append(saver);
    ::speichere_beim_beenden();
}

BrowserZustand* BrowserApplication::zustand()
{
    if (!halter().zustand)
        halter().zustand = new BrowserZustand;
    return halter().zustand;
}

void BrowserApplication::setUserStyleSheet(QWebEngineProfile* profile, const QString& styleSheet, QObject* fenster)
{
    const QString name = QStringLiteral("userStyleSheet");
    QWebEngineScriptCollection* scripts = profile->scripts();
    const QList<QWebEngineScript> vorhandene = scripts->findScripts(name);
    QWebEngineScript script;
    if (vorhandene.isEmpty()) {
        script.setName(name);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setRunsOnSubFrames(true);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
    } else {
        script = vorhandene.first();
    }
    for (const QWebEngineScript& alt : vorhandene)
        scripts->remove(alt);

    // The style sheet goes in as a string literal: quotes, backslashes and line breaks in it must
    // neither break the script nor end the string early and run as code.
    const QByteArray feld = QJsonDocument(QJsonArray{styleSheet}).toJson(QJsonDocument::Compact);
    const QString literal = QString::fromUtf8(feld.mid(1, feld.size() - 2));
    const QString quelle =
        QStringLiteral("(function() {"
                       "var css = document.getElementById(\"_qt_testBrowser_userStyleSheet\");"
                       "if (css == undefined) {"
                       "    css = document.createElement(\"style\");"
                       "    css.type = \"text/css\";"
                       "    css.id = \"_qt_testBrowser_userStyleSheet\";"
                       "    document.head.appendChild(css);"
                       "}"
                       "css.innerText = %1;"
                       "})()")
            .arg(literal);
    script.setSourceCode(quelle);
    scripts->insert(script);
    if (fenster)
        QMetaObject::invokeMethod(fenster, "runScriptOnOpenViews", Qt::QueuedConnection, Q_ARG(QString, quelle));
}

QByteArray BrowserApplication::letzteSitzung()
{
    if (!halter().sitzung_bekannt) {
        QSettings settings;
        settings.beginGroup(QStringLiteral("sessions"));
        setze_letzteSitzung(settings.value(QStringLiteral("lastSession")).toByteArray());
    }
    return halter().letzte_sitzung;
}

void BrowserApplication::setze_letzteSitzung(const QByteArray& sitzung)
{
    halter().letzte_sitzung = sitzung;
    halter().sitzung_bekannt = true;
}

namespace {

// The tabbed window that a page belongs to: the one that shows it, else the newest.
BrowserMainWindow* fenster_der_seite(WebPage* seite)
{
    if (QWidget* ansicht = seite->view())
        if (auto* fenster = qobject_cast<BrowserMainWindow*>(ansicht->window()))
            return fenster;
    return BrowserApplication::zustand()->mainWindow();
}

} // namespace

BrowserZustand::BrowserZustand()
{
    WebPage::setze_fensterfunktion([](WebPage* seite, QWebEnginePage::WebWindowType typ) -> QWebEnginePage* {
        if (typ == QWebEnginePage::WebBrowserWindow) {
            BrowserApplication::zustand()->newMainWindow();
            WebView* ansicht = BrowserApplication::zustand()->mainWindow()->currentTab();
            return ansicht ? ansicht->page() : nullptr;
        }
        WebView* ansicht =
            fenster_der_seite(seite)->tabWidget()->newTab(typ != QWebEnginePage::WebBrowserBackgroundTab);
        return ansicht ? ansicht->page() : nullptr;
    });
    WebPage::setze_hauptfensterfunktion([](WebPage* seite) -> QWidget* { return fenster_der_seite(seite); });
    // Before the first window and its page: later the profile's folder can no longer change.
    wende_profilordner_an();
}

void BrowserZustand::clean()
{
    for (int i = m_mainWindows.count() - 1; i >= 0; --i)
        if (m_mainWindows.at(i).isNull())
            m_mainWindows.removeAt(i);
}

BrowserMainWindow* BrowserZustand::mainWindow()
{
    clean();
    if (m_mainWindows.isEmpty())
        newMainWindow();
    return m_mainWindows.first();
}

QList<BrowserMainWindow*> BrowserZustand::mainWindows()
{
    clean();
    QList<BrowserMainWindow*> liste;
    for (const QPointer<BrowserMainWindow>& fenster : qAsConst(m_mainWindows))
        liste.append(fenster);
    return liste;
}

BrowserMainWindow* BrowserZustand::newMainWindow()
{
    auto* fenster = new BrowserMainWindow();
    m_mainWindows.prepend(fenster);
    fenster->show();
    return fenster;
}

void BrowserZustand::openUrl(const QUrl& url)
{
    mainWindow()->loadPage(url.toString());
}

void BrowserZustand::saveSession()
{
    if (BrowserApplication::privateBrowsing())
        return;
    clean();

    QByteArray daten;
    QDataStream stream(&daten, QIODevice::WriteOnly);
    stream.setVersion(ZustandsVersion);
    stream << qint32(m_mainWindows.count());
    for (const QPointer<BrowserMainWindow>& fenster : qAsConst(m_mainWindows))
        stream << fenster->saveState(true);

    QSettings settings;
    settings.beginGroup(QStringLiteral("sessions"));
    settings.setValue(QStringLiteral("lastSession"), daten);
    speichere_einstellungen(settings);
}

void BrowserZustand::restoreLastSession()
{
    QDataStream stream(BrowserApplication::letzteSitzung());
    stream.setVersion(ZustandsVersion);
    // Only what was read whole; a damaged list ends there.
    const QList<QByteArray> fensterzustaende = lies_liste<QByteArray>(stream);

    for (const QByteArray& zustand : qAsConst(fensterzustaende)) {
        BrowserMainWindow* fenster = nullptr;
        const QList<BrowserMainWindow*> fensterliste = mainWindows();
        if (fensterliste.count() == 1 && fensterliste.first()->tabWidget()->count() == 1) {
            TabWidget* tabs = fensterliste.first()->tabWidget();
            auto* ansicht = qobject_cast<WebView*>(tabs->widget(0));
            if (!ansicht || ansicht->url().isEmpty())
                fenster = fensterliste.first();
        }
        if (!fenster)
            fenster = newMainWindow();
        fenster->restoreState(zustand);
    }
}

void BrowserZustand::setPrivateBrowsing(bool privateBrowsing)
{
    if (BrowserApplication::privateBrowsing() == privateBrowsing)
        return;
    BrowserApplication::setze_privateBrowsing(privateBrowsing);
    if (privateBrowsing) {
        if (!m_privateProfile) {
            m_privateProfile = new QWebEngineProfile(this);
            WegweiserSeite::sperre_lokale_zugriffe(m_privateProfile->settings());
        }
        for (BrowserMainWindow* fenster : mainWindows())
            fenster->tabWidget()->setProfile(m_privateProfile);
    } else {
        for (BrowserMainWindow* fenster : mainWindows()) {
            fenster->tabWidget()->setProfile(QWebEngineProfile::defaultProfile());
            fenster->setLastSearch(QString());
            fenster->tabWidget()->clear();
        }
    }
    emit privateBrowsingChanged(privateBrowsing);
}

void BrowserZustand::ladeEinstellungen()
{
    wende_einstellungen_an();
    QSettings settings;
    settings.beginGroup(QStringLiteral("websettings"));
    const QString css = settings.value(QStringLiteral("userStyleSheet")).toString();
    BrowserApplication::setUserStyleSheet(QWebEngineProfile::defaultProfile(), css, mainWindow());
}

void BrowserZustand::postLaunch()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":webbrowser.svg")));
    ladeEinstellungen();

    clean();
    if (!m_mainWindows.isEmpty()) {
        const QStringList argumente = QCoreApplication::arguments();
        QString url;
        if (argumente.count() > 1 && QUrl::fromUserInput(argumente.last()).isValid())
            url = argumente.last();
        BrowserMainWindow* fenster = m_mainWindows.first();
        if (!url.isEmpty())
            fenster->loadPage(url);
        else
            fenster->slotHome();
    }
    BrowserApplication::historyManager();
}

void BrowserZustand::newLocalSocketConnection()
{
    QString wort;
    if (!lies_lokale_nachricht(m_localServer, wort))
        return;
    const QUrl url(wort, QUrl::TolerantMode);
    // Only a whole address opens something; a bare word would become a web search.
    if (!wort.isEmpty() && url.isValid() && !url.scheme().isEmpty()) {
        if (lies_linkziel(QSettings()) == 1)
            newMainWindow();
        else
            mainWindow()->tabWidget()->newTab();
        openUrl(url);
    }
    BrowserMainWindow* fenster = mainWindow();
    fenster->raise();
    fenster->activateWindow();
}

void BrowserZustand::lastWindowClosed()
{
}

void BrowserZustand::quitBrowser()
{
    // Each window may ask before it closes (its tabs); one that stays keeps the browser running,
    // its downloads too.
    for (BrowserMainWindow* fenster : mainWindows())
        if (!fenster->close())
            return;
    // One still downloading stays, shown, and with it the program until its user closes it:
    // closed here (or left hidden), the program ended and cut the downloads without a word.
    DownloadManager* downloads = BrowserApplication::downloadManager();
    if (downloads->activeDownloads() == 0)
        downloads->close();
    else
        downloads->show();
}
