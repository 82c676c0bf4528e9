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
#include <QDir>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
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
