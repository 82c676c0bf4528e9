// The browser's windows and dialogs and the report viewer on the web engine, walked by Tab: each control reached, named for a screen reader, in reading order.
#include "addbookmarkdialog.h"
#include "anmeldedialoge.h"
#include "bedienbarkeit.h"
#include "bookmarksdialog.h"
#include "cgbrowser.h"
#include "cgbrowserdiag.h"
#include "cqstringsteuer.h"
#include "cwebbrowserdiag.h"
#include "downloadmanager.h"
#include "historydialog.h"
#include "oeffneurl.h"
#include "printtopdfdialog.h"
#include "savepagedialog.h"
#include "settings.h"
#include "steuerdaten.h"
#include "warten.h"
#include "webview.h"

#include <QAuthenticator>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Zeile
{
    const char* name;
    std::function<QWidget*()> oeffne;
};

QStringList pruefe(QWidget* fenster)
{
    fenster->show();
    warte([] { return false; }, 300);
    return bedienbarkeit::pruefe(fenster);
}

// The sign-in forms run modally: each is walked once it shows, then cancelled.
QStringList pruefe_modal(const std::function<void()>& oeffne)
{
    QStringList fehler{QStringLiteral("nicht gezeigt")};
    QTimer::singleShot(300, [&fehler] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            fehler = bedienbarkeit::pruefe(dialog);
            dialog->close();
        }
    });
    oeffne();
    return fehler;
}

} // namespace

TEST(Fenstergang, JedesBrowserfensterIstPerTastaturErreichbarBenanntUndInLesefolge)
{
    QTemporaryDir ordner;
    QFile seite(ordner.filePath(QStringLiteral("seite.html")));
    ASSERT_TRUE(seite.open(QIODevice::WriteOnly));
    seite.write("<title>Seite</title><p>Text</p><a href=\"x.html\">Link</a>");
    seite.close();
    gib_browsermodus_variable().setze_wert_qstr(CQString("INTERN"));
    gib_steuerdaten(true)->setze_wert(QStringLiteral("/Allgemein/HTML_Viewer_verwende_QWebEngineView"),
                                      QStringLiteral("true"));
    const QString url = QUrl::fromLocalFile(seite.fileName()).toString();

    const std::vector<Zeile> zeilen{
        {"Browserfenster",
         [&url] {
             const QWidgetList vorher = QApplication::topLevelWidgets();
             EXPECT_TRUE(oeffne_url(url, false));
             for (QWidget* w : QApplication::topLevelWidgets())
                 if (qobject_cast<CWebBrowserDiag*>(w) && !vorher.contains(w))
                     return w;
             return static_cast<QWidget*>(nullptr);
         }},
        {"Einstellungen", [] { return new SettingsDialog; }},
        {"Chronik", [] { return new HistoryDialog; }},
        {"Lesezeichen", [] { return new BookmarksDialog; }},
        {"Lesezeichen hinzufuegen", [&url] { return new AddBookmarkDialog(url, QStringLiteral("Seite")); }},
        {"Downloads", [] { return new DownloadManager; }},
        {"Seite speichern",
         [&ordner] {
             return new SavePageDialog(nullptr, QWebEngineDownloadItem::CompleteHtmlSaveFormat,
                                       ordner.filePath(QStringLiteral("s.html")));
         }},
        {"PDF drucken", [&ordner] { return new PrintToPdfDialog(ordner.filePath(QStringLiteral("s.pdf"))); }},
        {"Berichtsbetrachter mit Webseite",
         [&seite] {
             auto* betrachter = new CGBrowserDiag(nullptr, CQString("Bericht"), true, Qt::WindowFlags(), false);
             EXPECT_TRUE(betrachter->browser->verwendet_web());
             betrachter->browser->setze_quelle(CQString(seite.fileName()));
             return betrachter;
         }},
    };
    for (const Zeile& zeile : zeilen) {
        SCOPED_TRACE(zeile.name);
        QWidget* fenster = zeile.oeffne();
        ASSERT_NE(fenster, nullptr);
        EXPECT_EQ(pruefe(fenster).join(QLatin1Char('\n')).toStdString(), "");
        delete fenster;
    }
    QAuthenticator anmeldung;
    EXPECT_EQ(pruefe_modal([&] { frage_anmeldung(nullptr, QStringLiteral("%1 %2"), QUrl(url), &anmeldung); })
                  .join(QLatin1Char('\n'))
                  .toStdString(),
              "");
    EXPECT_EQ(pruefe_modal([&] { frage_proxyanmeldung(nullptr, QStringLiteral("%1"), QStringLiteral("h"), &anmeldung); })
                  .join(QLatin1Char('\n'))
                  .toStdString(),
              "");
    gib_steuerdaten(true)->leere();
}
