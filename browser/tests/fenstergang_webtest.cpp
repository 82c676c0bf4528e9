// The browser's windows and dialogs and the report viewer on the web engine, walked by Tab: each control reached, named for a screen reader, in reading order.
#include "addbookmarkdialog.h"
#include "anmeldedialoge.h"
#include "bedienbarkeit.h"
#include "bookmarksdialog.h"
#include "cgbrowser.h"
#include "cgbrowserdiag.h"
#include "cqstringsteuer.h"
#include "curleingabe.h"
#include "cwebbrowserdiag.h"
#include "downloadmanager.h"
#include "featurepermissionbar.h"
#include "historydialog.h"
#include "oeffneurl.h"
#include "popupwindow.h"
#include "printtopdfdialog.h"
#include "savepagedialog.h"
#include "settings.h"
#include "webview.h"
#include "steuerdaten.h"
#include "testdateien.h"

#include <QAuthenticator>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineProfile>

TEST(Fenstergang, JedesBrowserfensterIstPerTastaturErreichbarBenanntUndInLesefolge)
{
    QTemporaryDir ordner;
    const QString seite = schreibe_datei(ordner, "seite.html", "<title>Seite</title><p>Text</p><a href=\"x.html\">Link</a>");
    gib_browsermodus_variable().setze_wert_qstr(CQString("INTERN"));
    gib_steuerdaten(true)->setze_wert("/Allgemein/HTML_Viewer_verwende_QWebEngineView", "true");
    const QString url = QUrl::fromLocalFile(seite).toString();
    const auto browserfenster = [&url]() -> QWidget* {
        const QWidgetList vorher = QApplication::topLevelWidgets();
        EXPECT_TRUE(oeffne_url(url, false));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<CWebBrowserDiag*>(w) && !vorher.contains(w))
                return w;
        return nullptr;
    };
    bedienbarkeit::pruefe_zeilen(
        {{"Browserfenster", browserfenster},
         {"Einstellungen", [] { return new SettingsDialog; }},
         {"Chronik", [] { return new HistoryDialog; }},
         {"Lesezeichen", [] { return new BookmarksDialog; }},
         {"Lesezeichen hinzufuegen", [&url] { return new AddBookmarkDialog(url, QStringLiteral("Seite")); }},
         {"Downloads", [] { return new DownloadManager; }},
         {"Seite speichern", [&] {
              return new SavePageDialog(nullptr, QWebEngineDownloadItem::CompleteHtmlSaveFormat, ordner.filePath("s.html"));
          }},
         {"PDF drucken", [&] { return new PrintToPdfDialog(ordner.filePath("s.pdf")); }},
         {"Berichtsbetrachter mit Webseite", [&seite] {
              auto* b = new CGBrowserDiag(nullptr, CQString("Bericht"), true, Qt::WindowFlags(), false);
              EXPECT_TRUE(b->browser->verwendet_web());
              b->browser->setze_quelle(CQString(seite));
              return b;
          }},
         {"URL-Eingabe", [] { return new CUrlEingabe; }},
         {"Popup", [&url] {
              auto* popup = new PopupWindow(QWebEngineProfile::defaultProfile());
              popup->findChild<WebView*>()->load(QUrl(url));
              popup->resize(600, 400);
              return popup;
          }},
         // In a dialog, as in the own browser window: none of its buttons may stay Return's.
         {"Freigabefrage", [&url] {
              auto* fenster = new QDialog;
              auto* ansicht = new WebView(fenster);
              (new QVBoxLayout(fenster))->addWidget(ansicht);
              ansicht->load(QUrl(url));
              (new FeaturePermissionBar(ansicht))->requestPermission(QUrl("http://h"), QWebEnginePage::Geolocation);
              fenster->resize(600, 400);
              return fenster;
          }}},
        300);
    // The sign-in forms run modally: each is walked once it shows, then cancelled.
    const auto pruefe_modal = [](const char* name, const std::function<void()>& oeffne) {
        QString fehler = QStringLiteral("nicht gezeigt");
        QTimer::singleShot(300, [&fehler] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                fehler = bedienbarkeit::pruefe(dialog).join(QLatin1Char('\n'));
                dialog->close();
            }
        });
        oeffne();
        EXPECT_EQ(fehler.toStdString(), "") << name;
    };
    QAuthenticator anmeldung;
    pruefe_modal("Anmeldung", [&] { frage_anmeldung(nullptr, QStringLiteral("%1 %2"), QUrl(url), &anmeldung); });
    pruefe_modal("Proxy", [&] { frage_proxyanmeldung(nullptr, QStringLiteral("%1"), QStringLiteral("h"), &anmeldung); });
    gib_steuerdaten(true)->leere();
}
