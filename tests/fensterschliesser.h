// Closes a window, as its close button or Alt+F4 does, or deletes it, as its caller may, while work on it runs: for the tests of work beside the window.
#pragma once

#include "pdfpruefung.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

// Each way a window may go while work on it runs, as (ms, deleted): closed at 30 and 700 ms,
// deleted by its caller at 150 ms and once a progress dialog shows (0).
inline const std::pair<int, bool> schliesswege[] = {{30, false}, {150, true}, {700, false}, {0, true}};

// Closes or deletes `fenster` as `weg` says, at the latest when it goes itself.
class FensterSchliesser
{
public:
    FensterSchliesser(QWidget* fenster, std::pair<int, bool> weg) : ziel(fenster), loeschen(weg.second)
    {
        QObject::connect(&uhr, &QTimer::timeout, [this, wann = weg.first] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (wann > 0 || (qobject_cast<QProgressDialog*>(w) && w->isVisible()))
                    return schliesse();
        });
        uhr.start(weg.first > 0 ? weg.first : 10);
    }
    ~FensterSchliesser() { schliesse(); }
    void schliesse()
    {
        uhr.stop();
        if (ziel)
            loeschen ? delete ziel.data() : (void)ziel->close();
        ziel.clear();
    }

private:
    QPointer<QWidget> ziel;
    bool loeschen;
    QTimer uhr;
};

// What the work left: its file `datei` holds `anzahl` times `wort` (in `text`, else in its PDF
// text); or, only where the window was deleted at once, it is missing and one message says why.
inline void pruefe_datei(const QString& datei, const QString& wort, int anzahl, bool geloescht, const QStringList& meldungen,
                         const std::string& fall, const QString& text = QString())
{
    if (!QFile::exists(datei))
        EXPECT_TRUE(geloescht && meldungen.size() == 1) << fall << meldungen.join('|').toStdString();
    else
        EXPECT_EQ((text.isNull() ? seiten_text(datei).join(QString()) : text).count(wort), anzahl) << fall;
}
