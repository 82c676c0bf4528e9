// The tabbed browser in a real engine, in a process without the browser application object.
#include "bedienbarkeit.h"
#include "bookmarknode.h"
#include "bookmarksmanager.h"
#include "browserapplication.h"
#include "browsermainwindow.h"
#include "dialogseam.h"
#include "downloadmanager.h"
#include "fullscreennotification.h"
#include "historymanager.h"
#include "printtopdfdialog.h"
#include "seitenlesung.h"
#include "tabwidget.h"
#include "testserver.h"
#include "kleinesdateisystem.h"
#include "warten.h"
#include "webpage.h"
#include "webview.h"

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Pages p1 to p4 (title and text "p<n>") and a page that asks for full screen on a click.
class Seiten
{
public:
    Seiten()
    {
        for (int i = 1; i <= 4; ++i)
            schreibe(QStringLiteral("p%1.html").arg(i),
                     QStringLiteral("<html><head><title>p%1</title></head><body><p>Seite p%1 Inhalt</p></body></html>")
                         .arg(i));
        schreibe(QStringLiteral("voll.html"),
                 QStringLiteral("<html><head><title>voll</title></head><body style=\"margin:0;height:100vh\" "
                                "onclick=\"document.documentElement.requestFullscreen()\">voll</body></html>"));
    }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(ordner.filePath(name)); }
    QUrl p(int n) const { return url(QStringLiteral("p%1.html").arg(n)); }
    QString pfad(const QString& name) const { return ordner.filePath(name); }

private:
    void schreibe(const QString& name, const QString& html)
    {
        QFile f(ordner.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(html.toUtf8());
    }
    QTemporaryDir ordner;
};

Seiten& seiten()
{
    static Seiten* s = new Seiten;
    return *s;
}

bool lade(WebView* view, const QUrl& url)
{
    QSignalSpy fertig(view, &QWebEngineView::loadFinished);
    view->loadUrl(url);
    return warte([&] { return !fertig.isEmpty(); }, 20000) && fertig.first().first().toBool();
}

QString hex(const QByteArray& daten)
{
    return QString::fromLatin1(daten.toHex());
}

// Answers the next modal dialog of type T, found among the top-level widgets, with `antwort`.
template <typename T>
void beantworte(std::function<void(T*)> antwort, int* gezeigt = nullptr)
{
    auto* uhr = new QTimer;
    uhr->setInterval(20);
    QObject::connect(uhr, &QTimer::timeout, [uhr, antwort, gezeigt] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(w);
            if (dialog && dialog->isVisible()) {
                uhr->stop();
                uhr->deleteLater();
                if (gezeigt)
                    ++*gezeigt;
                antwort(dialog);
                return;
            }
        }
    });
    uhr->start();
}

QString javascript(QWebEnginePage* page, const QString& quelle)
{
    QString ergebnis;
    bool fertig = false;
    page->runJavaScript(quelle, [&](const QVariant& v) {
        ergebnis = v.toString();
        fertig = true;
    });
    warte([&] { return fertig; }, 10000);
    return ergebnis;
}

// Deletes every tabbed window, so that the next test starts without one.
void schliesse_alle_fenster()
{
    for (BrowserMainWindow* fenster : BrowserApplication::zustand()->mainWindows())
        delete fenster;
    warte([] { return false; }, 50);
}

} // namespace

TEST(TabWidget, GespeicherterZustandUndTabsteuerung)
{
    TabWidget tabs;
    tabs.newTab();
    EXPECT_EQ(hex(tabs.saveState()), QStringLiteral("000000aa0000000100000001ffffffff00000000"));

    QSignalSpy laden(&tabs, &TabWidget::loadPage);
    const QByteArray fremd = QByteArray::fromHex("000000ba0000000100000001ffffffff00000000");
    const QByteArray version2 = QByteArray::fromHex("000000aa0000000200000001ffffffff00000000");
    const QByteArray abgeschnitten = QByteArray::fromHex("000000aa0000000100000002ffffffff");
    const QByteArray riesig = QByteArray::fromHex("000000aa000000017fffffff");
    for (const QByteArray& falsch : {fremd, version2, abgeschnitten, riesig, QByteArray()})
        EXPECT_FALSE(tabs.restoreState(falsch));
    EXPECT_EQ(tabs.count(), 1);
    EXPECT_TRUE(laden.isEmpty());

    // Three tabs with views: next and previous wrap around.
    WebView* erste = tabs.currentWebView();
    ASSERT_NE(erste, nullptr);
    EXPECT_EQ(tabs.count(), 1);
    tabs.newTab();
    tabs.newTab();
    ASSERT_EQ(tabs.count(), 3);
    tabs.setCurrentIndex(2);
    tabs.nextTab();
    EXPECT_EQ(tabs.currentIndex(), 0);
    tabs.previousTab();
    EXPECT_EQ(tabs.currentIndex(), 2);

    tabs.closeTab(-1);
    EXPECT_EQ(tabs.count(), 3);
    ASSERT_TRUE(lade(tabs.currentWebView(), seiten().p(1)));
    for (const char* bild : {":loading.gif", ":addtab.png", ":addbookmark.png", ":webbrowser.svg"})
        EXPECT_FALSE(QIcon(QString::fromLatin1(bild)).pixmap(16).isNull()) << bild;
    tabs.cloneTab();
    ASSERT_EQ(tabs.count(), 4);
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_TRUE(warte([&] { return tabs.webView(3)->url() == seiten().p(1); }));

    QSignalSpy neu_geladen(tabs.currentWebView(), &QWebEngineView::loadStarted);
    tabs.reloadTab();
    EXPECT_TRUE(warte([&] { return !neu_geladen.isEmpty(); }));

    QWidget* aktuell = tabs.currentWidget();
    tabs.requestCloseTab();
    EXPECT_TRUE(warte([&] { return tabs.count() == 3; }));
    EXPECT_EQ(tabs.indexOf(aktuell), -1);

    tabs.setCurrentIndex(0);
    WebView* stumm = tabs.currentWebView();
    ASSERT_TRUE(lade(stumm, seiten().p(2)));
    tabs.setAudioMutedForTab(0, true);
    EXPECT_TRUE(warte([&] { return tabs.tabText(0) == QStringLiteral("p2 (muted)"); }));
}

TEST(TabWidget, ZuletztGeschlosseneTabs)
{
    TabWidget tabs;
    tabs.newTab();
    QList<QUrl> adressen;
    for (int i = 0; i < 10; ++i) {
        WebView* view = i == 0 ? tabs.currentWebView() : tabs.newTab();
        adressen.append(QUrl(seiten().p(1).toString() + QStringLiteral("?nr=%1").arg(i)));
        view->loadUrl(adressen.last());
    }
    ASSERT_EQ(tabs.count(), 10);
    for (int i = 0; i < 10; ++i)
        tabs.closeTab(0);
    // The last close left no tab; the window would open a new one.
    EXPECT_EQ(tabs.count(), 0);
    tabs.newTab();

    QMenu* menu = tabs.recentlyClosedTabsAction()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(tabs.recentlyClosedTabsAction()->isEnabled());
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList gezeigt;
    for (QAction* a : menu->actions())
        gezeigt.append(a->data().toUrl().toString());
    QStringList erwartet;
    for (int i = 9; i >= 1; --i)
        erwartet.append(adressen.at(i).toString());
    EXPECT_EQ(gezeigt, erwartet);

    // Closed tabs of a private profile are not recorded.
    QWebEngineProfile privat;
    tabs.setProfile(&privat);
    tabs.newTab()->loadUrl(seiten().p(3));
    tabs.newTab();
    tabs.closeTab(1);
    EXPECT_EQ(tabs.recentlyClosedTabs().size(), 9);
    EXPECT_EQ(tabs.recentlyClosedTabs().first(), adressen.at(9));
    tabs.setProfile(QWebEngineProfile::defaultProfile());
    while (tabs.count() > 0)
        tabs.closeTab(0);
    warte([] { return false; }, 100);
}

TEST(TabWidget, VollbildNimmtDieSeiteUndGibtSieZurueck)
{
    QWebEngineSettings::defaultSettings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    TabWidget* tabs = fenster->tabWidget();
    WebView* view = tabs->currentWebView();
    ASSERT_TRUE(lade(view, seiten().url(QStringLiteral("voll.html"))));
    QWebEnginePage* seite = view->page();

    ASSERT_TRUE(warte([&] { return view->focusProxy() != nullptr; }));
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_TRUE(warte([&] { return tabs->fullScreenView() && tabs->fullScreenView()->isVisible(); }, 10000));
    EXPECT_EQ(tabs->fullScreenView()->page(), seite);
    ASSERT_NE(tabs->fullScreenView()->findChild<FullScreenNotification*>(), nullptr);

    QAction* escape = nullptr;
    for (QAction* a : tabs->fullScreenView()->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_Escape))
            escape = a;
    ASSERT_NE(escape, nullptr);
    escape->trigger();
    ASSERT_TRUE(warte([&] { return tabs->fullScreenView() == nullptr; }, 10000));
    EXPECT_EQ(view->page(), seite);
    EXPECT_TRUE(lade(view, seiten().p(2)));
    EXPECT_EQ(javascript(seite, QStringLiteral("document.title")), QStringLiteral("p2"));
    schliesse_alle_fenster();
}

// A page's new tabs and windows and its log-in dialogs belong to the tabbed window that shows it.
TEST(BrowserMainWindow, SeiteOeffnetTabsUndFensterDesEigenenFensters)
{
    BrowserZustand* zustand = BrowserApplication::zustand();
    BrowserMainWindow* fenster = zustand->newMainWindow();
    BrowserMainWindow* neueres = zustand->newMainWindow();
    WebView* view = fenster->currentTab();
    ASSERT_TRUE(lade(view, seiten().p(1)));
    EXPECT_EQ(static_cast<WebPage*>(view->page())->hauptfenster(), fenster);

    view->page()->runJavaScript(QStringLiteral("window.open('p3.html')"));
    ASSERT_TRUE(warte([&] { return fenster->tabWidget()->count() == 2; }));
    EXPECT_EQ(fenster->tabWidget()->currentIndex(), 1);
    EXPECT_TRUE(warte([&] { return fenster->currentTab()->url() == seiten().p(3); }));
    EXPECT_EQ(neueres->tabWidget()->count(), 1);

    // Both windows hear the profile's download; the manager gets it once.
    ASSERT_NE(neueres->currentTab(), nullptr);
    DownloadManager* downloads = BrowserApplication::downloadManager();
    const int vorher = downloads->rowCount();
    view->page()->download(seiten().p(2), QStringLiteral("kopie.html"));
    EXPECT_TRUE(warte([&] { return downloads->rowCount() == vorher + 1; }));
    warte([] { return false; }, 300);
    EXPECT_EQ(downloads->rowCount(), vorher + 1);
    schliesse_alle_fenster();
}

TEST(BrowserMainWindow, ZustandLeisteTitelUndSchliessfrage)
{
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    fenster->resize(800, 600);
    warte([] { return false; }, 50);
    EXPECT_EQ(hex(fenster->saveState(false)), QStringLiteral("000000ba0000000200000320000002580101" "01ffffffff"));

    // The window menu of the only window.
    QMenu* fenstermenu = nullptr;
    for (QMenu* m : fenster->findChildren<QMenu*>())
        if (m->title() == QStringLiteral("&Window"))
            fenstermenu = m;
    ASSERT_NE(fenstermenu, nullptr);
    QMetaObject::invokeMethod(fenstermenu, "aboutToShow");
    QList<QAction*> eintraege;
    for (QAction* a : fenstermenu->actions())
        if (a->isCheckable())
            eintraege.append(a);
    ASSERT_EQ(eintraege.size(), 1);
    EXPECT_TRUE(eintraege.first()->isChecked());

    BrowserMainWindow* zweites = BrowserApplication::zustand()->newMainWindow();
    zweites->resize(500, 400);
    for (QToolBar* bar : zweites->findChildren<QToolBar*>())
        bar->hide();
    zweites->statusBar()->hide();
    EXPECT_FALSE(zweites->restoreState(fenster->saveState(false)));
    EXPECT_EQ(zweites->size(), QSize(800, 600));
    EXPECT_FALSE(zweites->findChild<QToolBar*>(QStringLiteral("navigation"))->isHidden());
    EXPECT_FALSE(zweites->findChild<QToolBar*>(QStringLiteral("bookmarksToolBar"))->isHidden());
    EXPECT_FALSE(zweites->statusBar()->isHidden());
    EXPECT_FALSE(zweites->restoreState(QByteArray::fromHex("000000ba0000000200000320")));
    EXPECT_EQ(zweites->size(), QSize(800, 600));
    delete zweites;

    QAction* stopReload = fenster->findChild<QAction*>(QStringLiteral("stopReload"));
    ASSERT_NE(stopReload, nullptr);
    fenster->slotLoadProgress(50);
    EXPECT_EQ(stopReload->toolTip(), QStringLiteral("Stop loading the current page"));
    for (int fortschritt : {100, 0}) {
        fenster->slotLoadProgress(50);
        fenster->slotLoadProgress(fortschritt);
        EXPECT_EQ(stopReload->toolTip(), QStringLiteral("Reload the current page"));
    }
    fenster->slotUpdateWindowTitle(QStringLiteral("Foo"));
    EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Foo - ") + QCoreApplication::applicationName());
    fenster->slotUpdateWindowTitle(QString());
    EXPECT_EQ(fenster->windowTitle(), QCoreApplication::applicationName());

    // Ctrl+W on the only tab leaves an empty one: the title names no page, and the user types the
    // next address at once.
    ASSERT_TRUE(lade(fenster->currentTab(), seiten().p(1)));
    EXPECT_TRUE(warte([&] { return fenster->windowTitle() == QStringLiteral("p1 - ") + QCoreApplication::applicationName(); }));
    fenster->tabWidget()->closeTabAction()->trigger();
    EXPECT_TRUE(warte([&] { return fenster->windowTitle() == QCoreApplication::applicationName(); }))
        << fenster->windowTitle().toStdString();
    QWidget* const adressfeld = fenster->tabWidget()->lineEditStack()->currentWidget();
    EXPECT_TRUE(fenster->focusWidget() == adressfeld || adressfeld->isAncestorOf(fenster->focusWidget()));

    QStringList fragen;
    int antwort = 1;
    setze_frage_funktion([&](QWidget*, QMessageBox::Icon, const QString& titel, const QString& text,
                             const QStringList&, int, int) {
        EXPECT_FALSE(titel.isEmpty()) << text.toStdString();
        fragen.append(text);
        return antwort;
    });
    QPointer<BrowserMainWindow> bewacht(fenster);
    EXPECT_TRUE(fenster->close() || true);
    warte([] { return false; }, 50);
    EXPECT_TRUE(fragen.isEmpty());
    EXPECT_TRUE(bewacht.isNull());

    fenster = BrowserApplication::zustand()->newMainWindow();
    bewacht = fenster;
    fenster->tabWidget()->newTab();
    fenster->tabWidget()->newTab();
    fenster->close();
    warte([] { return false; }, 50);
    EXPECT_EQ(fragen, QStringList{QStringLiteral("Are you sure you want to close the window?  There are 3 tabs open")});
    EXPECT_FALSE(bewacht.isNull());
    setze_frage_funktion({});
    schliesse_alle_fenster();
}

// A download from the address line leaves the page and its address there; Quit ends the browser,
// every window (one with tabs asks, and No keeps all) and the Downloads window with it, unless a
// download still runs.
TEST(BrowserMainWindow, DownloadLaesstDieSeitenadresseUndQuitBeendetAuchDieDownloads)
{
    TestServer server;
    server.setze(QStringLiteral("/d.bin"), TestServer::Antwort{"x", "application/octet-stream", 0, "Content-Disposition: attachment\r\n"});
    QTemporaryDir ablage;
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), ablage.path());
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    ASSERT_TRUE(lade(fenster->currentTab(), seiten().p(1)));
    // The Downloads window may be open from an earlier download: only the new row says that this
    // download has reached the browser.
    DownloadManager* const downloads = BrowserApplication::downloadManager();
    const int vorher = downloads->rowCount();
    fenster->loadUrl(server.url(QStringLiteral("/d.bin")));
    ASSERT_TRUE(warte([&] { return downloads->rowCount() == vorher + 1; }));
    EXPECT_TRUE(downloads->isVisible());
    EXPECT_EQ(fenster->tabWidget()->currentLineEdit()->text(), QString::fromUtf8(seiten().p(1).toEncoded()));
    BrowserApplication::zustand()->newMainWindow()->tabWidget()->newTab();
    QPointer<QAction> quit;
    for (QAction* a : fenster->findChildren<QAction*>())
        quit = a->text() == QStringLiteral("&Quit") ? a : quit.data();
    ASSERT_TRUE(warte([] { return BrowserApplication::downloadManager()->activeDownloads() == 0; }));
    for (const int nein : {1, 0}) {
        setze_frage_funktion([nein](QWidget*, QMessageBox::Icon, const QString&, const QString&, const QStringList&, int, int) { return nein; });
        ASSERT_TRUE(quit);
        quit->trigger();
        // What stays is seen after a while; what goes, as soon as it has gone.
        if (nein)
            warte([] { return false; }, 100);
        EXPECT_TRUE(warte([&] {
            return BrowserApplication::zustand()->mainWindows().size() == 2 * nein && downloads->isVisible() == nein;
        }));
    }
    // A download still running (its window closed before) shows its window and runs on.
    server.setze(QStringLiteral("/lang.bin"), {QByteArray(100000, 'x'), "application/octet-stream", 0, "Content-Disposition: attachment\r\n", 10000000, true});
    BrowserApplication::zustand()->newMainWindow()->loadUrl(server.url(QStringLiteral("/lang.bin")));
    ASSERT_TRUE(warte([] { return BrowserApplication::downloadManager()->activeDownloads() == 1; }));
    BrowserApplication::zustand()->quitBrowser();
    EXPECT_TRUE(warte([] { return BrowserApplication::zustand()->mainWindows().isEmpty(); }));
    EXPECT_TRUE(BrowserApplication::downloadManager()->isVisible());
    // Stopped by its user before the test ends: a download the engine still runs when a program
    // without an event loop's end (a test) tears the engine down ends it by SIGSEGV.
    for (QPushButton* stop : downloads->findChildren<QPushButton*>(QStringLiteral("stopButton")))
        if (stop->isEnabled())
            stop->click();
    EXPECT_TRUE(warte([&] { return downloads->activeDownloads() == 0; }));
    BrowserApplication::downloadManager()->close();
    setze_frage_funktion({});
    QSettings().remove(QStringLiteral("downloadmanager"));
}


TEST(BrowserMainWindow, SuchenZoomUndPdf)
{
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    WebView* view = fenster->currentTab();
    ASSERT_TRUE(lade(view, seiten().p(1)));

    beantworte<QInputDialog>([](QInputDialog* d) {
        d->setTextValue(QStringLiteral("zzqx"));
        d->accept();
    });
    fenster->slotEditFind();
    EXPECT_EQ(fenster->lastSearch(), QStringLiteral("zzqx"));
    EXPECT_TRUE(warte([&] { return fenster->statusBar()->currentMessage() == QStringLiteral("\"zzqx\" not found."); }));
    EXPECT_TRUE(warte([&] { return fenster->statusBar()->currentMessage().isEmpty(); }));

    beantworte<QInputDialog>([](QInputDialog* d) {
        d->setTextValue(QString());
        d->accept();
    });
    fenster->slotEditFind();
    EXPECT_EQ(fenster->lastSearch(), QStringLiteral("zzqx"));

    fenster->slotViewPageSource();
    QPlainTextEdit* quelltext = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QStringLiteral("Page Source of p1"))
            quelltext = qobject_cast<QPlainTextEdit*>(w);
    ASSERT_NE(quelltext, nullptr);
    EXPECT_TRUE(warte([&] { return quelltext->toPlainText().contains(QStringLiteral("Seite p1 Inhalt")); }));
    delete quelltext;

    for (int i = 0; i < 10; ++i)
        fenster->slotViewZoomIn();
    EXPECT_NEAR(view->zoomFactor(), 2.0, 1e-9);

    const QString pdf = seiten().pfad(QStringLiteral("druck.pdf"));
    int dialoge = 0;
    beantworte<PrintToPdfDialog>(
        [&](PrintToPdfDialog* d) {
            d->filePathLineEdit->setText(pdf);
            d->accept();
        },
        &dialoge);
    fenster->slotFilePrintToPDF();
    ASSERT_EQ(dialoge, 1);
    EXPECT_TRUE(warte([&] { return QFile(pdf).size() > 0; }, 20000));
    schliesse_alle_fenster();
}

// A saved page in a tab, and one it opens in a new tab, read no other file of the user by
// script; a page from a web server still reads from its own server.
TEST(BrowserMainWindow, LokaleSeiteLiestKeineAndereLokaleDatei)
{
    QTemporaryDir ordner;
    QFile geheim(ordner.filePath(QStringLiteral("geheim.txt")));
    ASSERT_TRUE(geheim.open(QIODevice::WriteOnly) && geheim.write("GEHEIM") == 6);
    geheim.close();
    const QUrl geheim_url = QUrl::fromLocalFile(geheim.fileName());
    const std::string verweigert = "verweigert | verweigert";

    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    WebView* view = fenster->currentTab();
    ASSERT_TRUE(lade(view, seiten().p(1)));
    EXPECT_EQ(lies_durch_seite(view->page(), geheim_url), verweigert);
    EXPECT_EQ(lies_durch_seite(view->page(), seiten().p(2)), verweigert);
    view->page()->runJavaScript(QStringLiteral("window.open('p3.html')"));
    ASSERT_TRUE(warte([&] { return fenster->tabWidget()->count() == 2; }));
    WebView* neu = fenster->tabWidget()->webView(1);
    ASSERT_TRUE(warte([&] { return neu->title() == QStringLiteral("p3") && !neu->progress(); }));
    EXPECT_EQ(lies_durch_seite(neu->page(), geheim_url), verweigert);

    TestServer server;
    server.setze(QStringLiteral("/seite.html"), QByteArray("<html><title>web</title><body>web</body></html>"));
    server.setze(QStringLiteral("/daten.txt"), TestServer::Antwort{"DATEN", "text/plain"});
    ASSERT_TRUE(lade(view, server.url(QStringLiteral("/seite.html"))));
    EXPECT_EQ(lies_durch_seite(view->page(), server.url(QStringLiteral("/daten.txt"))),
              "DATEN | DATEN");
    schliesse_alle_fenster();
}

// A page printed to PDF over existing files on a full file system, as the print-to-PDF dialogs
// write it and onto a printer that writes a PDF file (the print preview's road): the old files
// keep every byte and a box names each file.
TEST(BrowserMainWindow, PdfAufVollemDatentraegerLaesstDieAlteDateiUndSagtEs)
{
    const KleinesDateisystem voll("size=256k");
    if (!voll.ok)
        GTEST_SKIP() << "a small file system of its own can only be mounted as root";
    const QByteArray alt = "%PDF-1.4 the old page\n";
    const QString daten = voll.pfad(QStringLiteral("druck.pdf"));
    const QString drucker_datei = voll.pfad(QStringLiteral("vorschau.pdf"));
    for (const QString& datei : {daten, drucker_datei}) {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(alt);
    }
    voll.fuelle_bis(1024);
    QStringList boxen;
    setze_frage_funktion([&](QWidget*, QMessageBox::Icon, const QString&, const QString& text, const QStringList&, int,
                             int abbruch) {
        boxen.append(text);
        return abbruch;
    });
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    WebView* view = fenster->currentTab();
    ASSERT_TRUE(lade(view, seiten().p(1)));

    // The PDF data of the print-to-PDF dialogs (of both browser windows) go to their file here.
    QByteArray pdf;
    view->page()->printToPdf([&pdf](const QByteArray& ergebnis) { pdf = ergebnis.isEmpty() ? "-" : ergebnis; });
    ASSERT_TRUE(warte([&] { return !pdf.isEmpty(); }, 20000));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    schreibe_pdf_daten(fenster, daten, pdf);
    ASSERT_EQ(boxen.size(), 1);
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(drucker_datei);
    view->print(&drucker);
    ASSERT_EQ(boxen.size(), 2);
    EXPECT_TRUE(boxen[0].contains(daten)) << boxen[0].toStdString();
    EXPECT_TRUE(boxen[1].contains(drucker_datei)) << boxen[1].toStdString();
    for (const QString& datei : {daten, drucker_datei}) {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), alt) << datei.toStdString();
    }
    EXPECT_EQ(QDir(QFileInfo(daten).path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral(".fueller"), QStringLiteral("druck.pdf"), QStringLiteral("vorschau.pdf")}));
    setze_frage_funktion({});
    schliesse_alle_fenster();
}

// The back menu goes to exactly the chosen page, also while forward pages exist; the print
// preview prints the page.
TEST(BrowserMainWindow, ZurueckmenueUndDruckvorschau)
{
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    WebView* view = fenster->currentTab();
    for (int i = 1; i <= 4; ++i)
        ASSERT_TRUE(lade(view, seiten().p(i)));
    QSignalSpy fertig(view, &QWebEngineView::loadFinished);
    view->back();
    ASSERT_TRUE(warte([&] { return view->url() == seiten().p(3); }));

    QMenu* zurueck = nullptr;
    for (QAction* a : fenster->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Back") && a->menu())
            zurueck = a->menu();
    ASSERT_NE(zurueck, nullptr);
    QMetaObject::invokeMethod(zurueck, "aboutToShow");
    QAction* p2 = nullptr;
    for (QAction* a : zurueck->actions())
        if (a->text() == QStringLiteral("p2"))
            p2 = a;
    ASSERT_NE(p2, nullptr);
    ASSERT_EQ(zurueck->actions().size(), 2);
    emit zurueck->triggered(p2);
    EXPECT_TRUE(warte([&] { return view->url() == seiten().p(2); }));
    warte([] { return false; }, 200);
    EXPECT_EQ(view->url(), seiten().p(2));

    const QString pdf = seiten().pfad(QStringLiteral("vorschau.pdf"));
    // Printed once the preview holds the pages it painted when it opened (or after 10 s).
    QElapsedTimer seit;
    seit.start();
    QTimer vorschau;
    vorschau.setInterval(20);
    QObject::connect(&vorschau, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* widget = d ? d->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!widget || (widget->pageCount() == 0 && seit.elapsed() < 10000))
            return;
        vorschau.stop();
        d->printer()->setOutputFormat(QPrinter::PdfFormat);
        d->printer()->setOutputFileName(pdf);
        widget->print();
        d->reject();
    });
    vorschau.start();
    fenster->slotFilePrintPreview();
    // The engine prints pages as pictures: the page is there when its first page has ink on it.
    const QString bild = seiten().pfad(QStringLiteral("vorschau"));
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                             QStringLiteral("-singlefile"), pdf, bild});
    ASSERT_TRUE(raster.waitForFinished(20000));
    const QImage seite(bild + QStringLiteral(".png"));
    ASSERT_FALSE(seite.isNull());
    int tinte = 0;
    for (int y = 0; y < seite.height(); ++y)
        for (int x = 0; x < seite.width(); ++x)
            tinte += qGray(seite.pixel(x, y)) < 128;
    EXPECT_GT(tinte, 30);
    schliesse_alle_fenster();
}

TEST(BrowserApplication, FensterlisteSitzungUndPrivatesSurfen)
{
    BrowserZustand* zustand = BrowserApplication::zustand();
    ASSERT_TRUE(zustand->mainWindows().isEmpty());
    BrowserMainWindow* erstes = zustand->mainWindow();
    ASSERT_NE(erstes, nullptr);
    EXPECT_TRUE(erstes->isVisible());
    EXPECT_EQ(zustand->mainWindows(), QList<BrowserMainWindow*>{erstes});

    // Two windows saved, then restored into one window with one empty tab.
    ASSERT_TRUE(lade(erstes->currentTab(), seiten().p(1)));
    BrowserMainWindow* zweites = zustand->newMainWindow();
    ASSERT_TRUE(lade(zweites->currentTab(), seiten().p(2)));
    zustand->saveSession();
    const QByteArray sitzung = BrowserApplication::letzteSitzung();
    ASSERT_FALSE(sitzung.isEmpty());
    schliesse_alle_fenster();
    BrowserMainWindow* leer = zustand->newMainWindow();
    zustand->restoreLastSession();
    const QList<BrowserMainWindow*> fenster = zustand->mainWindows();
    ASSERT_EQ(fenster.size(), 2);
    EXPECT_EQ(fenster.last(), leer);
    QStringList urls;
    for (BrowserMainWindow* f : fenster)
        EXPECT_TRUE(warte([&] { return !f->currentTab()->url().isEmpty(); }));
    for (BrowserMainWindow* f : fenster)
        urls.append(f->currentTab()->url().fileName());
    EXPECT_EQ(urls, (QStringList{QStringLiteral("p1.html"), QStringLiteral("p2.html")}));

    // Private browsing: no session, no history, no closed tabs; off again forgets them.
    QSignalSpy umgeschaltet(zustand, &BrowserZustand::privateBrowsingChanged);
    zustand->setPrivateBrowsing(false);
    EXPECT_TRUE(umgeschaltet.isEmpty());
    BrowserMainWindow* neuestes = zustand->mainWindow();
    TabWidget* tabs = neuestes->tabWidget();
    tabs->newTab()->loadUrl(seiten().p(3));
    tabs->closeTab(tabs->count() - 1);
    ASSERT_EQ(tabs->recentlyClosedTabs().size(), 1);

    // Switched on through the window's question: Cancel keeps it off, OK switches.
    int antwort = 1;
    QString frage;
    setze_frage_funktion([&](QWidget*, QMessageBox::Icon, const QString&, const QString& text, const QStringList&,
                             int, int) {
        frage = text;
        return antwort;
    });
    neuestes->slotPrivateBrowsing();
    EXPECT_TRUE(frage.startsWith(QStringLiteral("<b>Are you sure you want to turn on private browsing?</b><br><br>")));
    EXPECT_TRUE(umgeschaltet.isEmpty());
    antwort = 0;
    neuestes->slotPrivateBrowsing();
    setze_frage_funktion({});
    ASSERT_EQ(umgeschaltet.size(), 1);
    EXPECT_TRUE(umgeschaltet.first().first().toBool());
    ASSERT_NE(zustand->privateProfile(), nullptr);
    EXPECT_TRUE(zustand->privateProfile()->isOffTheRecord());
    for (BrowserMainWindow* f : zustand->mainWindows())
        for (int i = 0; i < f->tabWidget()->count(); ++i)
            EXPECT_EQ(f->tabWidget()->webView(i)->page()->profile(), zustand->privateProfile());
    QSettings settings;
    const QByteArray vorher = settings.value(QStringLiteral("sessions/lastSession")).toByteArray();
    WebView* privat = tabs->newTab();
    const QUrl geheim(seiten().p(4).toString() + QStringLiteral("?geheim"));
    ASSERT_TRUE(lade(privat, geheim));
    zustand->saveSession();
    settings.sync();
    EXPECT_EQ(settings.value(QStringLiteral("sessions/lastSession")).toByteArray(), vorher);
    for (const HistoryItem& eintrag : BrowserApplication::historyManager()->entries())
        EXPECT_FALSE(eintrag.url.contains(QStringLiteral("geheim")));
    tabs->closeTab(tabs->indexOf(privat));
    EXPECT_EQ(tabs->recentlyClosedTabs().size(), 1);

    zustand->setPrivateBrowsing(false);
    ASSERT_EQ(umgeschaltet.size(), 2);
    EXPECT_TRUE(tabs->recentlyClosedTabs().isEmpty());
    EXPECT_EQ(tabs->currentWebView()->page()->profile(), QWebEngineProfile::defaultProfile());
    schliesse_alle_fenster();
}

TEST(BrowserApplication, ZweiterStartOeffnetTabOderFenster)
{
    BrowserZustand* zustand = BrowserApplication::zustand();
    QLocalServer server;
    ASSERT_TRUE(server.listen(QStringLiteral("tabbrowser-%1").arg(QCoreApplication::applicationPid())));
    zustand->setze_localServer(&server);
    BrowserMainWindow* fenster = zustand->mainWindow();

    const auto sende = [&](const QByteArray& nachricht, int openLinksIn) {
        QSettings().setValue(QStringLiteral("general/openLinksIn"), openLinksIn);
        QLocalSocket client;
        client.connectToServer(server.serverName());
        EXPECT_TRUE(client.waitForConnected(30000));
        EXPECT_TRUE(server.waitForNewConnection(2000));
        client.write(nachricht);
        client.flush();
        zustand->newLocalSocketConnection();
    };

    sende(seiten().p(1).toEncoded() + '\n', 0);
    EXPECT_EQ(zustand->mainWindows().size(), 1);
    ASSERT_EQ(fenster->tabWidget()->count(), 2);
    EXPECT_EQ(fenster->tabWidget()->currentIndex(), 1);
    EXPECT_TRUE(warte([&] { return fenster->currentTab()->url() == seiten().p(1); }));

    sende(seiten().p(2).toEncoded(), 1);
    ASSERT_EQ(zustand->mainWindows().size(), 2);
    EXPECT_NE(zustand->mainWindow(), fenster);
    EXPECT_TRUE(warte([&] { return zustand->mainWindow()->currentTab()->url() == seiten().p(2); }));

    // Empty and scheme-less messages open nothing.
    sende(QByteArray(), 0);
    sende("nurwort", 0);
    EXPECT_EQ(zustand->mainWindows().size(), 2);
    EXPECT_EQ(zustand->mainWindow()->tabWidget()->count(), 1);
    QSettings().remove(QStringLiteral("general/openLinksIn"));
    zustand->setze_localServer(nullptr);
    schliesse_alle_fenster();
}

// The style sheet reaches the pages as text: quotes and line breaks apply, nothing runs as script.
TEST(BrowserApplication, BenutzerStylesheetOhneAnwendungsobjekt)
{
    QSettings settings;
    settings.setValue(QStringLiteral("websettings/userStyleSheet"), QStringLiteral("body{color:red}"));
    BrowserApplication::loadSettings();
    QWebEngineScriptCollection* scripts = QWebEngineProfile::defaultProfile()->scripts();
    EXPECT_EQ(scripts->findScripts(QStringLiteral("userStyleSheet")).size(), 1);

    WebView* view = BrowserApplication::zustand()->mainWindow()->currentTab();
    const QString farbe = QStringLiteral("getComputedStyle(document.body).color");
    ASSERT_TRUE(lade(view, seiten().p(1)));
    EXPECT_TRUE(warte([&] { return javascript(view->page(), farbe) == QStringLiteral("rgb(255, 0, 0)"); }));

    settings.setValue(QStringLiteral("websettings/userStyleSheet"),
                      QStringLiteral("p{font-family:\"Sans\"}\nbody{color:rgb(0, 0, 255)}"));
    BrowserApplication::loadSettings();
    EXPECT_EQ(scripts->findScripts(QStringLiteral("userStyleSheet")).size(), 1);
    ASSERT_TRUE(lade(view, seiten().p(2)));
    EXPECT_TRUE(warte([&] { return javascript(view->page(), farbe) == QStringLiteral("rgb(0, 0, 255)"); }));

    settings.setValue(QStringLiteral("websettings/userStyleSheet"),
                      QStringLiteral("\";document.title=\"boese\";\""));
    BrowserApplication::loadSettings();
    ASSERT_TRUE(lade(view, seiten().p(3)));
    warte([] { return false; }, 300);
    EXPECT_EQ(javascript(view->page(), QStringLiteral("document.title")), QStringLiteral("p3"));
    EXPECT_EQ(javascript(view->page(), QStringLiteral("String(document.getElementById('_qt_testBrowser_userStyleSheet') != null)")),
              QStringLiteral("true"));
    settings.remove(QStringLiteral("websettings/userStyleSheet"));

    // After start the window icon is set and the newest window goes to its home page.
    settings.setValue(QStringLiteral("MainWindow/home"), seiten().p(4).toString());
    BrowserApplication::zustand()->postLaunch();
    EXPECT_FALSE(QApplication::windowIcon().pixmap(32).isNull());
    EXPECT_TRUE(warte([&] { return view->url() == seiten().p(4); }));
    settings.remove(QStringLiteral("MainWindow/home"));
    schliesse_alle_fenster();
}

// A default state or session written on a larger screen, or made up, opens a window that fits
// the screen; a state of the wrong kind opens the window as if there were none. Defined after
// the session test: the session is read from the store once, and setting it here first would
// hide from that test what it saved.
TEST(BrowserApplication, GespeicherteGroesseBleibtAufDemBildschirm)
{
    const auto zustand_mit = [](const QSize& groesse) {
        QByteArray daten;
        QDataStream stream(&daten, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_5_15);
        stream << qint32(0xBA) << qint32(2) << groesse << true << true << true << QByteArray();
        return daten;
    };
    const auto passt = [](const QWidget* fenster) {
        const QSize flaeche = fenster->screen()->availableGeometry().size();
        return fenster->width() > 0 && fenster->height() > 0 && fenster->width() <= flaeche.width()
               && fenster->height() <= flaeche.height();
    };
    QSettings settings;
    for (const QVariant& gespeichert : {QVariant(zustand_mit(QSize(50000, 50000))), QVariant(zustand_mit(QSize(-5, 700))),
                                        QVariant(42), QVariant(QStringList{QStringLiteral("x")})}) {
        settings.setValue(QStringLiteral("BrowserMainWindow/defaultState"), gespeichert);
        BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
        EXPECT_TRUE(warte([&] { return passt(fenster); }, 10000)) << fenster->width() << "x" << fenster->height();
        EXPECT_FALSE(fenster->findChild<QToolBar*>(QStringLiteral("navigation"))->isHidden());
        schliesse_alle_fenster();
    }
    settings.remove(QStringLiteral("BrowserMainWindow/defaultState"));

    // A size that fits is taken as it was stored.
    BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
    fenster->restoreState(zustand_mit(QSize(640, 480)));
    EXPECT_EQ(fenster->size(), QSize(640, 480));

    // The session's window states pass the same check: the one empty window takes the first.
    const QByteArray vorher = BrowserApplication::letzteSitzung();
    QByteArray sitzung;
    QDataStream stream(&sitzung, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_15);
    stream << qint32(1) << zustand_mit(QSize(50000, 50000));
    BrowserApplication::setze_letzteSitzung(sitzung);
    BrowserApplication::zustand()->restoreLastSession();
    BrowserApplication::setze_letzteSitzung(vorher);
    ASSERT_EQ(BrowserApplication::zustand()->mainWindows(), QList<BrowserMainWindow*>{fenster});
    EXPECT_TRUE(warte([&] { return passt(fenster); }, 10000)) << fenster->width() << "x" << fenster->height();
    schliesse_alle_fenster();
    settings.remove(QStringLiteral("BrowserMainWindow/defaultState"));
}

// The tabbed window's row of the walk through the windows, here since it needs a process without
// the browser application object: a page and one in the background, with a bookmark folder and
// a bookmark added while the window is open.
TEST(Fenstergang, TabfensterIstPerTastaturErreichbarBenanntUndInLesefolge)
{
    BookmarksManager* lesezeichen = BrowserApplication::bookmarksManager();
    const auto merke = [lesezeichen](BookmarkNode::Type art, const char* titel) {
        auto* knoten = new BookmarkNode(art);
        knoten->title = QString::fromLatin1(titel);
        knoten->url = seiten().p(1).toString();
        lesezeichen->addBookmark(lesezeichen->toolbar(), knoten);
    };
    merke(BookmarkNode::Folder, "Ordner");
    bedienbarkeit::pruefe_zeilen({{"Tabfenster", [&] {
                                       BrowserMainWindow* fenster = BrowserApplication::zustand()->newMainWindow();
                                       EXPECT_TRUE(lade(fenster->currentTab(), seiten().p(2)));
                                       EXPECT_TRUE(lade(fenster->tabWidget()->newTab(false), seiten().p(3)));
                                       merke(BookmarkNode::Bookmark, "p1");
                                       return fenster;
                                   }}}, 300);
}
