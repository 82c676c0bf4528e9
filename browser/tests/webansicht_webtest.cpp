// Web view, page, pop-up window, render-process watchdog, permission bar, action mapper and URL line edit in a real engine.
#include "cgbrowserweb.h"
#include "dialogseam.h"
#include "featurepermissionbar.h"
#include "oeffneurl.h"
#include "popupwindow.h"
#include "renderwaechter.h"
#include "testserver.h"
#include "urliconlabel.h"
#include "urllineedit.h"
#include "warten.h"
#include "webactionmapper.h"
#include "webpage.h"
#include "webview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Catches the Qt message lines written while it lives.
class Meldungen
{
public:
    Meldungen()
    {
        aktuell = this;
        vorher = qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext& kontext, const QString& text) {
            aktuell->zeilen << text;
            aktuell->vorher(typ, kontext, text);
        });
    }
    ~Meldungen() { qInstallMessageHandler(vorher); }

    int zaehle(const QString& teil) const { return zeilen.filter(teil).size(); }

    QStringList zeilen;

private:
    static inline Meldungen* aktuell = nullptr;
    QtMessageHandler vorher;
};

class Webansicht : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(ordner.isValid()); }

    QUrl schreibe(const QString& name, const QByteArray& html)
    {
        QFile datei(ordner.filePath(name));
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(html);
        return QUrl::fromLocalFile(datei.fileName());
    }

    // A shown view with a page of the browser's own.
    std::unique_ptr<WebView> neue_ansicht()
    {
        auto ansicht = std::make_unique<WebView>();
        ansicht->setPage(new WebPage(QWebEngineProfile::defaultProfile(), ansicht.get()));
        ansicht->resize(400, 300);
        ansicht->show();
        QObject::connect(ansicht.get(), &QWebEngineView::loadFinished, [this](bool ok) { geladen << ok; });
        return ansicht;
    }

    bool lade(WebView& ansicht, const QUrl& url)
    {
        geladen.clear();
        ansicht.loadUrl(url);
        return warte([this] { return !geladen.isEmpty(); }) && geladen.constFirst();
    }

    static QVariant skript(QWebEnginePage* seite, const QString& js)
    {
        QVariant ergebnis;
        bool fertig = false;
        seite->runJavaScript(js, [&](const QVariant& v) {
            ergebnis = v;
            fertig = true;
        });
        warte([&] { return fertig; }, 10000);
        return ergebnis;
    }

    QTemporaryDir ordner;
    TestServer server;
    QList<bool> geladen;
};

} // namespace

TEST_F(Webansicht, GibtDieAngefragteAdresseSchonVorDerAntwort)
{
    server.setze(QStringLiteral("/langsam.html"), TestServer::Antwort{"<p>spät</p>", "text/html", 2000});
    auto ansicht = neue_ansicht();
    ansicht->loadUrl(server.url(QStringLiteral("/langsam.html")));
    EXPECT_EQ(ansicht->url(), server.url(QStringLiteral("/langsam.html")));
}

TEST_F(Webansicht, WaechterMeldetDasEndeDesRenderersUndLaedtNeu)
{
    Meldungen meldungen;
    auto ansicht = neue_ansicht();
    int starts = 0;
    QObject::connect(ansicht.get(), &QWebEngineView::loadStarted, [&] { ++starts; });
    const QString zeile = QStringLiteral("Render process exited with code");

    // "chrome://crash" ends the renderer; the view loads its page again.
    const QUrl gut = schreibe(QStringLiteral("gut.html"), "<p>gut</p>");
    ASSERT_TRUE(lade(*ansicht, gut));
    starts = 0;
    ansicht->loadUrl(QUrl(QStringLiteral("chrome://crash")));
    ASSERT_TRUE(warte([&] { return meldungen.zaehle(zeile) == 1 && starts >= 1; })) << starts;
    EXPECT_EQ(meldungen.zaehle(QStringLiteral("(crashed)")), 1) << meldungen.zeilen.join('\n').toStdString();
    EXPECT_TRUE(meldungen.zeilen.filter(zeile).constFirst().contains(QRegularExpression(QStringLiteral("code -?\\d+ \\(crashed\\)"))));

    // A killed renderer is reloaded.
    ASSERT_TRUE(lade(*ansicht, gut));
    starts = 0;
    ASSERT_GT(ansicht->page()->renderProcessPid(), 0);
    ::kill(static_cast<pid_t>(ansicht->page()->renderProcessPid()), SIGKILL);
    EXPECT_TRUE(warte([&] { return meldungen.zaehle(QStringLiteral("(killed)")) == 1 && starts == 1; }));

    // The report pages get the same watchdog through the browser's registration.
    registriere_browser();
    CGBrowserWeb bericht(nullptr);
    bericht.resize(300, 200);
    bericht.show();
    bool bericht_geladen = false;
    QObject::connect(&bericht, &QWebEngineView::loadFinished, [&](bool ok) { bericht_geladen = ok; });
    bericht.load(schreibe(QStringLiteral("bericht.html"), "<p>Bericht</p>"));
    ASSERT_TRUE(warte([&] { return bericht_geladen; }));
    int bericht_starts = 0;
    QObject::connect(&bericht, &QWebEngineView::loadStarted, [&] { ++bericht_starts; });
    ::kill(static_cast<pid_t>(bericht.page()->renderProcessPid()), SIGKILL);
    EXPECT_TRUE(warte([&] { return meldungen.zaehle(QStringLiteral("(killed)")) == 2 && bericht_starts == 1; }));
    CGBrowserWeb::setze_renderwaechter({});
}

namespace {

// Counts the reloads that the watchdog asks for.
class ZaehlendeSeite : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    void triggerAction(WebAction aktion, bool checked) override
    {
        if (aktion == Reload)
            ++neu_geladen;
        QWebEnginePage::triggerAction(aktion, checked);
    }
    int neu_geladen = 0;
};

} // namespace

TEST_F(Webansicht, WaechterGibtNachDreiEndenOhneErfolgreicheLadungAuf)
{
    Meldungen meldungen;
    QWebEngineView ansicht;
    auto* seite = new ZaehlendeSeite(&ansicht);
    ansicht.setPage(seite);
    bewache_renderprozess(&ansicht);
    const auto ende = [&] {
        emit ansicht.renderProcessTerminated(QWebEnginePage::CrashedTerminationStatus, 11);
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 5; ++i)
        ende();
    EXPECT_EQ(meldungen.zaehle(QStringLiteral("Render process exited with code 11 (crashed)")), 5);
    EXPECT_EQ(seite->neu_geladen, 3);
    // A failed load changes nothing, a successful one gives the page its reloads back.
    emit ansicht.loadFinished(false);
    ende();
    EXPECT_EQ(seite->neu_geladen, 3);
    emit ansicht.loadFinished(true);
    ende();
    EXPECT_EQ(seite->neu_geladen, 4);
}

TEST_F(Webansicht, DialogfensterDerSeiteWirdPopupUndSchliesstSichAufWunsch)
{
    auto ansicht = neue_ansicht();
    const QUrl p2 = schreibe(QStringLiteral("p2.html"), "<html><head><title>zwei</title></head><body>p2</body></html>");
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("p1.html"), "<p>p1</p>")));
    skript(ansicht->page(), QStringLiteral("window.open('p2.html','x','width=200,height=100'); true"));
    QPointer<PopupWindow> popup;
    ASSERT_TRUE(warte([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<PopupWindow*>(w))
                popup = p;
        return popup && popup->isVisible() && popup->findChild<QLineEdit*>()->text() == p2.toString();
    }));
    skript(popup->view()->page(), QStringLiteral("window.close(); true"));
    EXPECT_TRUE(warte([&] { return popup.isNull(); }));

    // A tab goes to the tabbed window's function, none of the page's own.
    QList<QWebEnginePage::WebWindowType> typen;
    WebPage::setze_fensterfunktion([&](WebPage*, QWebEnginePage::WebWindowType typ) {
        typen << typ;
        return nullptr;
    });
    skript(ansicht->page(), QStringLiteral("window.open('p2.html'); true"));
    EXPECT_TRUE(warte([&] { return !typen.isEmpty(); }, 10000));
    WebPage::setze_fensterfunktion({});
    EXPECT_EQ(typen, QList<QWebEnginePage::WebWindowType>{QWebEnginePage::WebBrowserTab});
}

TEST_F(Webansicht, KontextmenueAufVerweisUndMittelklickMitAdresseDerAuswahl)
{
    auto ansicht = neue_ansicht();
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("verweis.html"),
                                       "<html><body style='margin:0'><a href='ziel.html' style='display:block;"
                                       "width:400px;height:300px'>Ziel</a></body></html>")));
    QWidget* proxy = ansicht->focusProxy();
    ASSERT_NE(proxy, nullptr);
    QTest::mouseClick(proxy, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
    QMenu* menue = nullptr;
    ASSERT_TRUE(warte([&] {
        menue = ansicht->findChild<QMenu*>();
        return menue && menue->isVisible();
    }));
    QWebEnginePage* seite = ansicht->page();
    const QList<QAction*> eintraege = menue->actions();
    ASSERT_EQ(eintraege.size(), 7);
    EXPECT_EQ(eintraege.at(0), seite->action(QWebEnginePage::OpenLinkInThisWindow));
    EXPECT_EQ(eintraege.at(1), seite->action(QWebEnginePage::OpenLinkInNewWindow));
    EXPECT_EQ(eintraege.at(2), seite->action(QWebEnginePage::OpenLinkInNewBackgroundTab));
    EXPECT_TRUE(eintraege.at(3)->isSeparator());
    EXPECT_EQ(eintraege.at(4), seite->action(QWebEnginePage::DownloadLinkToDisk));
    EXPECT_EQ(eintraege.at(5), seite->action(QWebEnginePage::CopyLinkToClipboard));
    EXPECT_EQ(eintraege.at(6), seite->action(QWebEnginePage::SavePage));
    QPointer<QMenu> weg(menue);
    menue->hide();
    EXPECT_TRUE(warte([&] { return weg.isNull(); }));

    // The middle button, sent where the real one goes, loads the selection when it is an address.
    server.setze(QStringLiteral("/mitte.html"), "<p>Mitte</p>");
    QList<QUrl> adressen;
    QObject::connect(ansicht.get(), &QWebEngineView::urlChanged, [&](const QUrl& u) { adressen << u; });
    const auto mittelklick = [&](const QString& auswahl) {
        QApplication::clipboard()->setText(auswahl, QClipboard::Selection);
        QTest::mouseClick(proxy, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    };
    mittelklick(QStringLiteral("Wort"));
    mittelklick(server.url(QStringLiteral("/mitte.html")).toString());
    EXPECT_TRUE(warte([&] { return !adressen.isEmpty(); }));
    EXPECT_EQ(adressen, QList<QUrl>{server.url(QStringLiteral("/mitte.html"))});
}

namespace {

// The bar that the view shows now, once it has come.
FeaturePermissionBar* warte_auf_leiste(QWidget* ansicht)
{
    FeaturePermissionBar* leiste = nullptr;
    warte([&] {
        leiste = ansicht->findChild<FeaturePermissionBar*>();
        return leiste != nullptr;
    }, 10000);
    return leiste;
}

QPushButton* knopf(QWidget* leiste, int nummer)
{
    return leiste->findChildren<QPushButton*>().value(nummer);
}

} // namespace

TEST_F(Webansicht, ErlaubnisleisteFragtUndGibtDieAntwortDerSeite)
{
    auto ansicht = neue_ansicht();
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("leer.html"), "<p>leer</p>")));
    QWebEnginePage* seite = ansicht->page();
    const QUrl herkunft(QStringLiteral("https://h.example"));
    QList<int> antworten;
    // Deny, Allow and the close button, each on a bar of its own.
    for (int nummer : {1, 0, 2}) {
        emit seite->featurePermissionRequested(herkunft, QWebEnginePage::MediaAudioVideoCapture);
        QPointer<FeaturePermissionBar> leiste = warte_auf_leiste(ansicht.get());
        ASSERT_TRUE(leiste);
        EXPECT_EQ(leiste->findChild<QLabel*>()->text(),
                  QStringLiteral("h.example wants to use your camera and microphone."));
        EXPECT_FALSE(knopf(leiste, 2)->icon().pixmap(16).isNull());
        QObject::connect(leiste, &FeaturePermissionBar::featurePermissionProvided,
                         [&](const QUrl& u, QWebEnginePage::Feature f, QWebEnginePage::PermissionPolicy p) {
                             EXPECT_EQ(u, herkunft);
                             EXPECT_EQ(f, QWebEnginePage::MediaAudioVideoCapture);
                             antworten << p;
                         });
        knopf(leiste, nummer)->click();
        EXPECT_TRUE(warte([&] { return leiste.isNull(); }));
    }
    EXPECT_EQ(antworten, (QList<int>{1, 2, 0}));

    // A new load takes the bar away unanswered. Screen capture has its own phrase.
    emit seite->featurePermissionRequested(herkunft, QWebEnginePage::DesktopVideoCapture);
    QPointer<FeaturePermissionBar> leiste = warte_auf_leiste(ansicht.get());
    ASSERT_TRUE(leiste);
    EXPECT_EQ(leiste->findChild<QLabel*>()->text(), QStringLiteral("h.example wants to capture your screen."));
    QObject::connect(leiste, &FeaturePermissionBar::featurePermissionProvided, [&] { antworten << -1; });
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("neu.html"), "<p>neu</p>")));
    EXPECT_TRUE(warte([&] { return leiste.isNull(); }));
    EXPECT_EQ(antworten.size(), 3);
    EXPECT_EQ(FeaturePermissionBar::phrase(QWebEnginePage::DesktopAudioVideoCapture),
              QStringLiteral("capture your screen and audio"));
    EXPECT_NE(QMetaType::type("QWebEnginePage::Feature"), QMetaType::UnknownType);
    EXPECT_NE(QMetaType::type("QWebEnginePage::PermissionPolicy"), QMetaType::UnknownType);

    // A real request from a page, denied.
    server.setze(QStringLiteral("/melde.html"), "<p>Meldungen</p>");
    ASSERT_TRUE(lade(*ansicht, server.url(QStringLiteral("/melde.html"))));
    skript(seite, QStringLiteral("Notification.requestPermission(); true"));
    leiste = warte_auf_leiste(ansicht.get());
    ASSERT_TRUE(leiste);
    EXPECT_EQ(leiste->findChild<QLabel*>()->text(), QStringLiteral("127.0.0.1 wants to use desktop notifications."));
    knopf(leiste, 0)->click();
    EXPECT_TRUE(warte([&] {
        return skript(seite, QStringLiteral("Notification.permission")).toString() == QLatin1String("denied");
    }, 10000));
}

TEST_F(Webansicht, AktionsabbildFolgtDerAktuellenSeite)
{
    // Without a root nothing is touched.
    WebActionMapper ohne(nullptr, QWebEnginePage::Back, nullptr);
    auto ansicht = neue_ansicht();
    ohne.updateCurrent(ansicht->page());
    ohne.rootTriggered();
    ohne.updateCurrent(nullptr);

    QAction wurzel(QStringLiteral("Back"), nullptr);
    wurzel.setCheckable(true);
    WebActionMapper abbild(&wurzel, QWebEnginePage::Back, nullptr);
    EXPECT_FALSE(wurzel.isEnabled());
    WebPage* seite = ansicht->webPage();
    QObject::connect(seite->action(QWebEnginePage::Back), &QAction::changed, &abbild, &WebActionMapper::childChanged);
    abbild.updateCurrent(seite);
    EXPECT_FALSE(wurzel.isEnabled());
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("p1.html"), "<p>1</p>")));
    EXPECT_FALSE(wurzel.isEnabled());
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("p2.html"), "<p>2</p>")));
    EXPECT_TRUE(warte([&] { return wurzel.isEnabled(); }, 10000));

    // Another page's action does not reach the root.
    QWebEnginePage andere;
    QObject::connect(andere.action(QWebEnginePage::Back), &QAction::changed, &abbild, &WebActionMapper::childChanged);
    andere.action(QWebEnginePage::Back)->setEnabled(false);
    andere.action(QWebEnginePage::Back)->setEnabled(true);
    andere.action(QWebEnginePage::Back)->setEnabled(false);
    EXPECT_TRUE(wurzel.isEnabled());

    wurzel.setChecked(true);
    ansicht.reset();
    EXPECT_FALSE(wurzel.isEnabled());
    EXPECT_FALSE(wurzel.isChecked());
    wurzel.trigger();
}

TEST_F(Webansicht, AdressfeldZeigtAdresseUndFortschrittUndLaesstSieZiehen)
{
    auto ansicht = neue_ansicht();
    QList<QIcon> symbole;
    QObject::connect(ansicht.get(), &QWebEngineView::iconChanged, [&](const QIcon& i) { symbole << i; });
    UrlLineEdit feld;
    feld.setWebView(ansicht.get());
    feld.resize(200, feld.sizeHint().height());
    ASSERT_TRUE(lade(*ansicht, schreibe(QStringLiteral("a b.html"), "<p>ab</p>")));
    const QString adresse = feld.lineEdit()->text();
    EXPECT_TRUE(adresse.startsWith(QLatin1String("file://"))) << adresse.toStdString();
    EXPECT_TRUE(adresse.endsWith(QLatin1String("a%20b.html"))) << adresse.toStdString();
    EXPECT_EQ(feld.lineEdit()->cursorPosition(), 0);

    const auto verlassen = [&] {
        QFocusEvent aus(QEvent::FocusOut);
        QApplication::sendEvent(&feld, &aus);
    };
    feld.lineEdit()->clear();
    verlassen();
    EXPECT_EQ(feld.lineEdit()->text(), adresse);
    feld.lineEdit()->setText(QStringLiteral("xyz"));
    verlassen();
    EXPECT_EQ(feld.lineEdit()->text(), QStringLiteral("xyz"));

    // Half loaded: the left half of the contents is bluish, the right half the base colour.
    feld.lineEdit()->clear();
    ansicht->setProgress(50);
    const QImage bild = feld.grab().toImage();
    const QRect innen = feld.contentsRect();
    const int y = innen.center().y();
    const QColor links = bild.pixelColor(innen.x() + innen.width() / 4, y);
    const QColor rechts = bild.pixelColor(innen.x() + innen.width() * 3 / 4, y);
    EXPECT_GT(links.blue(), links.red() + 40) << links.name().toStdString();
    EXPECT_EQ(rechts, feld.palette().color(QPalette::Base)) << rechts.name().toStdString();
    // A page without an icon shows the default one, and only that.
    symbole.clear();
    emit ansicht->webPage()->iconChanged(QIcon());
    ASSERT_EQ(symbole.size(), 1);
    EXPECT_FALSE(symbole.constFirst().isNull());

    UrlLineEdit frei;
    const int weite = QApplication::startDragDistance();
    // Whether a move of the icon by `dx` with the left button down started a drag.
    const auto zieht = [weite](UrlLineEdit& feld, int dx) {
        auto* symbol = qobject_cast<UrlIconLabel*>(feld.leftWidget());
        bool gezogen = false;
        QTimer wache;
        QObject::connect(&wache, &QTimer::timeout, [&] {
            if (!symbol->findChildren<QDrag*>().isEmpty()) {
                gezogen = true;
                QDrag::cancel();
            }
        });
        wache.start(20);
        QMouseEvent druck(QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(symbol, &druck);
        QMouseEvent zug(QEvent::MouseMove, QPointF(2 + dx, 2), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(symbol, &zug);
        return gezogen;
    };
    EXPECT_FALSE(zieht(feld, weite));
    EXPECT_FALSE(zieht(frei, weite + 5));
    EXPECT_TRUE(zieht(feld, weite + 5));
}

TEST_F(Webansicht, SelbstSigniertesZertifikatWirdErfragtUndNeinBrichtAb)
{
    ASSERT_TRUE(server.mit_tls(ordner.path()));
    server.setze(QStringLiteral("/geheim.html"), "<p>geheim</p>");
    QStringList fragen;
    setze_frage_funktion([&](QWidget*, QMessageBox::Icon symbol, const QString&, const QString& text,
                             const QStringList& knoepfe, int standard, int) {
        EXPECT_EQ(symbol, QMessageBox::Warning);
        EXPECT_EQ(knoepfe.value(standard), QStringLiteral("No"));
        fragen << text;
        return standard;
    });
    auto ansicht = neue_ansicht();
    EXPECT_FALSE(lade(*ansicht, server.url(QStringLiteral("/geheim.html"))));
    setze_frage_funktion({});
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_TRUE(fragen.constFirst().contains(QLatin1String("override the security check")));
    EXPECT_FALSE(server.anfragen.contains(QStringLiteral("/geheim.html")));
}
