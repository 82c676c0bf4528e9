// The own browser window in a real engine: start page, find, zoom, PDF, source, history, log-in forms, downloads.
#include "browserapplication.h"
#include "cwebbrowserapp.h"
#include "cwebbrowserdiag.h"
#include "downloadmanager.h"
#include "downloadwidget.h"
#include "historymanager.h"
#include "oeffneurl.h"
#include "savepagedialog.h"
#include "printtopdfdialog.h"
#include "settings.h"
#include "cqstringsteuer.h"
#include "testserver.h"
#include "urllineedit.h"
#include "warten.h"
#include "webview.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineDownloadItem>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QList<CWebBrowserDiag*> alle_fenster()
{
    QList<CWebBrowserDiag*> liste;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<CWebBrowserDiag*>(w))
            liste << f;
    return liste;
}

QMenu* menue(CWebBrowserDiag* fenster, const QString& name)
{
    for (QAction* knopf : fenster->findChild<QToolBar*>()->actions())
        if (knopf->text() == name && knopf->menu())
            return knopf->menu();
    return nullptr;
}

// The entry `text` of the tool-bar menu `name`.
QAction* aktion(CWebBrowserDiag* fenster, const QString& name, const QString& text)
{
    if (QMenu* m = menue(fenster, name))
        for (QAction* a : m->actions())
            if (a->text() == text)
                return a;
    ADD_FAILURE() << "no entry " << text.toStdString() << " in " << name.toStdString();
    static QAction leer;
    return &leer;
}

// Answers every modal dialog that comes up while it lives; `antwort` closes it.
class Antworter
{
public:
    explicit Antworter(std::function<void(QWidget*)> antwort)
    {
        QObject::connect(&takt, &QTimer::timeout, [this, antwort] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == zuletzt)
                return;
            zuletzt = modal;
            ++anzahl;
            antwort(modal);
        });
        takt.start(20);
    }
    int anzahl = 0;

private:
    QTimer takt;
    QPointer<QWidget> zuletzt;
};

bool geladen(CWebBrowserDiag* fenster, const QUrl& url)
{
    return warte([&] { return fenster->view()->url() == url && !fenster->view()->progress()
                              && !fenster->view()->page()->title().isEmpty(); }, 15000);
}

class BrowserFenster : public ::testing::Test
{
protected:
    void SetUp() override
    {
        schreibe(QStringLiteral("page.html"), "<html><head><title>Hello</title></head><body><p>find me</p></body></html>");
        schreibe(QStringLiteral("zwei.html"), "<html><head><title>Zwei</title></head><body>zwei</body></html>");
        gib_browsermodus_variable().setze_wert_qstr(CQString(QStringLiteral("INTERN")));
        QSettings().remove(QStringLiteral("MainWindow"));
    }
    void TearDown() override
    {
        for (CWebBrowserDiag* f : alle_fenster())
            delete f;
        QSettings().remove(QStringLiteral("MainWindow"));
        QSettings().remove(QStringLiteral("downloadmanager"));
    }

    void schreibe(const QString& name, const QByteArray& inhalt)
    {
        QFile datei(t.filePath(name));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(t.filePath(name)); }

    // A window of the opener on page.html, loaded.
    CWebBrowserDiag* oeffne()
    {
        const QList<CWebBrowserDiag*> vorher = alle_fenster();
        EXPECT_TRUE(oeffne_url(url(QStringLiteral("page.html")).toString(), false));
        for (CWebBrowserDiag* f : alle_fenster())
            if (!vorher.contains(f)) {
                EXPECT_TRUE(geladen(f, url(QStringLiteral("page.html"))));
                return f;
            }
        ADD_FAILURE() << "no new window";
        return nullptr;
    }

    QTemporaryDir t;
};

} // namespace

// Each call of the opener gives a window of its own; the first makes the one application object.
// The start page wins over "home"; a new window with an empty "home" stays empty; a text that
// is no URL changes nothing.
TEST_F(BrowserFenster, OeffnerStartseiteUndNeuesFenster)
{
    CWebBrowserApp* const vorher = CWebBrowserApp::instance(false);
    CWebBrowserDiag* eins = oeffne();
    CWebBrowserApp* const anwendung = CWebBrowserApp::instance(false);
    CWebBrowserDiag* zwei = oeffne();
    ASSERT_TRUE(eins && zwei);
    EXPECT_NE(eins, zwei);
    ASSERT_NE(anwendung, nullptr);
    EXPECT_TRUE(vorher == nullptr || vorher == anwendung);
    EXPECT_EQ(CWebBrowserApp::instance(false), anwendung);
    for (CWebBrowserDiag* f : {eins, zwei}) {
        EXPECT_TRUE(f->isVisible() && f->isWindow() && !f->parent() && !f->isModal());
        EXPECT_EQ(f->windowTitle(), url(QStringLiteral("page.html")).toString());
        EXPECT_EQ(f->startPage(), t.filePath(QStringLiteral("page.html")));
        EXPECT_EQ(f->aktuelle_seite(), url(QStringLiteral("page.html")));
    }

    QSettings().setValue(QStringLiteral("MainWindow/home"), url(QStringLiteral("zwei.html")));
    eins->loadPage(url(QStringLiteral("zwei.html")).toString());
    ASSERT_TRUE(geladen(eins, url(QStringLiteral("zwei.html"))));
    eins->loadPage(QString());
    EXPECT_EQ(eins->windowTitle(), url(QStringLiteral("zwei.html")).toString());
    aktion(eins, "Chronik", "Startseite")->trigger();
    EXPECT_TRUE(geladen(eins, url(QStringLiteral("page.html"))));

    // A "file:" text with a query is no plain file reference.
    eins->loadStartPage(QStringLiteral("file:") + t.filePath(QStringLiteral("zwei.html")) + QStringLiteral("?a=1"));
    EXPECT_EQ(eins->startPage(), t.filePath(QStringLiteral("zwei.html")));
    QUrl mit_anfrage = url(QStringLiteral("zwei.html"));
    mit_anfrage.setQuery(QStringLiteral("a=1"));
    EXPECT_TRUE(geladen(eins, mit_anfrage));

    QSettings().setValue(QStringLiteral("MainWindow/home"), QString());
    aktion(zwei, "Datei", "Neues Fenster")->trigger();
    const QList<CWebBrowserDiag*> jetzt = alle_fenster();
    ASSERT_EQ(jetzt.size(), 3);
    CWebBrowserDiag* neu = nullptr;
    for (CWebBrowserDiag* f : jetzt)
        if (f != eins && f != zwei)
            neu = f;
    ASSERT_TRUE(neu && neu->isVisible());
    warte([] { return false; }, 300);
    EXPECT_TRUE(neu->view()->url().isEmpty());
    EXPECT_TRUE(neu->startPage().isEmpty());
}

// Menus on the tool bar, progress bar, find, zoom, page source and PDF on one page.
TEST_F(BrowserFenster, SuchenZoomQuelltextUndPdf)
{
    CWebBrowserDiag* f = oeffne();
    ASSERT_TRUE(f);
    QStringList menues;
    for (QAction* a : f->findChild<QToolBar*>()->actions())
        menues << a->text();
    EXPECT_EQ(menues, QStringList({"Datei", "Bearbeiten", "Ansicht", "Chronik", "Hilfe"}));
    auto* balken = f->findChild<QProgressBar*>();
    f->LoadProgressSlot(50);
    EXPECT_TRUE(balken->isVisible());
    EXPECT_EQ(balken->value(), 50);
    f->LoadProgressSlot(100);
    EXPECT_FALSE(balken->isVisible());

    QStatusBar* status = f->findChild<QStatusBar*>();
    QStringList vorbelegt;
    auto suche = std::make_unique<Antworter>([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), "Suchen");
        EXPECT_EQ(dialog->labelText(), "Text:");
        vorbelegt << dialog->textValue();
        dialog->setTextValue(vorbelegt.size() == 1 ? QStringLiteral("zzqx") : QStringLiteral("find me"));
        dialog->accept();
    });
    aktion(f, "Bearbeiten", "Suchen")->trigger();
    EXPECT_TRUE(warte([&] { return status->currentMessage() == "\"zzqx\" nicht gefunden."; }, 10000));
    status->clearMessage();
    aktion(f, "Bearbeiten", "Suchen weiter")->trigger();
    // The missed word is forgotten: the next search starts empty and finds without a message.
    aktion(f, "Bearbeiten", "Suchen")->trigger();
    warte([] { return false; }, 500);
    EXPECT_EQ(vorbelegt, QStringList({"", ""}));
    EXPECT_TRUE(status->currentMessage().isEmpty());
    suche.reset();

    for (int i = 0; i < 3; ++i)
        aktion(f, "Ansicht", "Zoom &In")->trigger();
    EXPECT_NEAR(f->view()->zoomFactor(), 1.3, 1e-9);
    aktion(f, "Ansicht", "Reset &Zoom")->trigger();
    EXPECT_EQ(f->view()->zoomFactor(), 1.0);

    aktion(f, "Ansicht", "Seiten Quelltext anzeigen")->trigger();
    QPlainTextEdit* quelltext = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* q = qobject_cast<QPlainTextEdit*>(w))
            if (q->windowTitle() == "Quelltext von " + f->windowTitle())
                quelltext = q;
    ASSERT_TRUE(quelltext);
    EXPECT_TRUE(warte([&] { return quelltext->toPlainText().contains("<title>Hello</title>"); }, 10000));
    delete quelltext;

    const QString pdf = t.filePath(QStringLiteral("out.pdf"));
    Antworter speichern([&](QWidget* w) {
        auto* dialog = qobject_cast<PrintToPdfDialog*>(w);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), "Speichern als PDF");
        EXPECT_EQ(dialog->filePath(), QDir::current().absoluteFilePath(QStringLiteral("printout.pdf")));
        dialog->filePathLineEdit->setText(pdf);
        dialog->accept();
    });
    aktion(f, "Datei", "Speichern als PDF...")->trigger();
    QFile datei(pdf);
    ASSERT_TRUE(warte([&] { return datei.size() > 0; }, 15000));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(datei.read(5) == "%PDF-");
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    // The engine's font joins "fi" into one glyph.
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).contains("find me"));
}

// The entry window loads what is typed; the history menu lists the visits and loads them; the
// mapped page actions follow the page.
TEST_F(BrowserFenster, UrlEingabeChronikUndSeitenaktionen)
{
    TestServer server;
    server.setze(QStringLiteral("/langsam.html"), TestServer::Antwort{"<title>Langsam</title>", "text/html", 800});
    BrowserApplication::historyManager()->clear();
    CWebBrowserDiag* f = oeffne();
    ASSERT_TRUE(f);
    EXPECT_FALSE(aktion(f, "Chronik", "Zurück")->isEnabled());

    aktion(f, "Datei", "lade URL...")->trigger();
    CUrlEingabe& eingabe = f->urlEingabe();
    ASSERT_TRUE(eingabe.isVisible());
    EXPECT_EQ(eingabe.windowTitle(), "lade URL...");
    QLineEdit* zeile = eingabe.lineEdit()->lineEdit();
    zeile->setText(url(QStringLiteral("zwei.html")).toString());
    QTest::keyClick(zeile, Qt::Key_Return);
    EXPECT_FALSE(eingabe.isVisible());
    ASSERT_TRUE(geladen(f, url(QStringLiteral("zwei.html"))));
    EXPECT_TRUE(warte([&] { return aktion(f, "Chronik", "Zurück")->isEnabled(); }, 5000));

    // Stop is on only while a page loads.
    f->loadUrl(server.url(QStringLiteral("/langsam.html")));
    EXPECT_TRUE(warte([&] { return aktion(f, "Ansicht", "Stop")->isEnabled(); }, 5000));
    ASSERT_TRUE(geladen(f, server.url(QStringLiteral("/langsam.html"))));
    EXPECT_TRUE(warte([&] { return !aktion(f, "Ansicht", "Stop")->isEnabled(); }, 5000));

    QMenu* chronik = menue(f, QStringLiteral("Chronik"));
    ASSERT_TRUE(chronik);
    emit chronik->aboutToShow();
    QAction* besucht = nullptr;
    for (QAction* a : chronik->actions())
        if (a->text() == "zwei.html")
            besucht = a;
    ASSERT_TRUE(besucht);
    besucht->trigger();
    EXPECT_TRUE(geladen(f, url(QStringLiteral("zwei.html"))));
}

// A site that asks for a log-in: the German form; accepted, the server gets the credentials;
// cancelled, the page is not loaded.
TEST_F(BrowserFenster, AnmeldungBeimServer)
{
    TestServer server, zweiter;
    TestServer::Antwort geheim{"<title>Drin</title>geheim"};
    geheim.realm = "R";
    server.setze(QStringLiteral("/geheim.html"), geheim);
    zweiter.setze(QStringLiteral("/geheim.html"), geheim);
    CWebBrowserDiag* f = oeffne();
    ASSERT_TRUE(f);

    bool annehmen = true;
    QStringList intros;
    Antworter anmeldung([&](QWidget* w) {
        ASSERT_EQ(w->objectName(), "PasswordDialog");
        EXPECT_TRUE(w->windowFlags().testFlag(Qt::Sheet));
        intros << w->findChild<QLabel*>(QStringLiteral("introLabel"))->text();
        w->findChild<QLineEdit*>(QStringLiteral("userNameLineEdit"))->setText(QStringLiteral("u"));
        w->findChild<QLineEdit*>(QStringLiteral("passwordLineEdit"))->setText(QStringLiteral("p"));
        annehmen ? static_cast<QDialog*>(w)->accept() : static_cast<QDialog*>(w)->reject();
    });
    const QUrl ziel = server.url(QStringLiteral("/geheim.html"));
    f->loadUrl(ziel);
    ASSERT_TRUE(warte([&] { return f->view()->page()->title() == "Drin"; }, 15000));
    EXPECT_EQ(intros, QStringList("<qt>Benutzername und Kennwort eingeben für \"R\" at " + ziel.toString() + "</qt>"));
    EXPECT_EQ(server.anmeldungen, QStringList("u:p"));

    annehmen = false;
    QSignalSpy fertig(f->view(), &QWebEngineView::loadFinished);
    f->loadUrl(zweiter.url(QStringLiteral("/geheim.html")));
    ASSERT_TRUE(warte([&] { return !fertig.isEmpty(); }, 15000));
    EXPECT_EQ(anmeldung.anzahl, 2);
    EXPECT_FALSE(fertig.first().first().toBool());
    EXPECT_TRUE(zweiter.anmeldungen.isEmpty());
    EXPECT_NE(f->view()->page()->title(), "Drin");
}

// Three windows, one of them closed: a download is asked about and listed once, by a window
// that is open; the row owns the item. A closed window goes with its view, entry window and
// settings dialog, and a late typed address reaches nothing.
TEST_F(BrowserFenster, EinDownloadBeiMehrerenFensternUndGeschlossenesFensterGeht)
{
    QSettings().setValue(QStringLiteral("downloadmanager/downloadDirectory"), t.path());
    CWebBrowserDiag* eins = oeffne();
    CWebBrowserDiag* zu = oeffne();
    CWebBrowserDiag* drei = oeffne();
    ASSERT_TRUE(eins && zu && drei);

    zu->slotPreferences();
    QPointer<CWebBrowserDiag> geschlossen(zu);
    QPointer<WebView> ansicht(zu->view());
    QPointer<SettingsDialog> einstellungen(zu->findChild<SettingsDialog*>());
    ASSERT_TRUE(einstellungen);
    CUrlEingabe* eingabe = &zu->urlEingabe();
    QPointer<CUrlEingabe> eingabe_waechter(eingabe);
    aktion(zu, "Datei", "Beenden")->trigger();
    EXPECT_TRUE(ansicht.isNull());
    emit eingabe->loadPageSig(url(QStringLiteral("zwei.html")).toString());
    EXPECT_TRUE(warte([&] { return geschlossen.isNull(); }, 2000));
    EXPECT_TRUE(einstellungen.isNull());
    EXPECT_TRUE(eingabe_waechter.isNull());

    DownloadManager* manager = BrowserApplication::downloadManager();
    manager->cleanup();
    const int zeilen = manager->rowCount();
    QList<QWidget*> eltern;
    Antworter dialoge([&](QWidget* w) {
        auto* dialog = qobject_cast<SavePageDialog*>(w);
        ASSERT_TRUE(dialog);
        eltern << dialog->parentWidget();
        dialog->filePathLineEdit->setText(t.filePath(QStringLiteral("gespeichert.html")));
        dialog->accept();
    });
    drei->view()->page()->triggerAction(QWebEnginePage::SavePage);
    ASSERT_TRUE(warte([&] { return manager->rowCount() == zeilen + 1 && manager->widget(zeilen)->succeeded(); },
                      15000));
    warte([] { return false; }, 300);
    EXPECT_EQ(dialoge.anzahl, 1);
    EXPECT_EQ(eltern, QList<QWidget*>({drei}));
    EXPECT_EQ(manager->rowCount(), zeilen + 1);
    EXPECT_TRUE(QFile(t.filePath(QStringLiteral("gespeichert.html"))).size() > 0);

    TestServer server;
    TestServer::Antwort datei{QByteArray(3000, 'x'), "application/octet-stream"};
    datei.kopfzeilen = "Content-Disposition: attachment; filename=\"datei.bin\"\r\n";
    server.setze(QStringLiteral("/datei.bin"), datei);
    eins->view()->page()->download(server.url(QStringLiteral("/datei.bin")));
    ASSERT_TRUE(warte([&] { return manager->rowCount() == zeilen + 2 && manager->widget(zeilen + 1)->succeeded(); },
                      15000));
    warte([] { return false; }, 300);
    EXPECT_EQ(manager->rowCount(), zeilen + 2);
    EXPECT_EQ(dialoge.anzahl, 1);
    QPointer<QWebEngineDownloadItem> item(manager->widget(zeilen + 1)->item());
    ASSERT_TRUE(item);
    EXPECT_EQ(QFileInfo(t.filePath(QStringLiteral("datei.bin"))).size(), 3000);
    warte([] { return false; }, 200);
    EXPECT_FALSE(item.isNull());
    manager->cleanup();
    EXPECT_TRUE(warte([&] { return item.isNull(); }, 2000));
    EXPECT_EQ(manager->rowCount(), 0);
}
