// The PDF data of a web page, made by the engine while the window answers and shown to be running; the page may go meanwhile.
#pragma once

#include <QByteArray>
#include <QString>

class QPageLayout;
class QWebEnginePage;
class QWidget;

// The data of `seite` in `layout`. While the engine makes them the GUI thread's events run: after
// half a second a modal dialog over `eltern`, titled `titel`, says that the work runs, and its
// cancel drops the data (`CHintergrund::warte`); a window closed meanwhile by any road that asks
// for its deletion goes once they have come. Empty when cancelled (`fehler` empty) or when no
// data came (`fehler` says why): the engine made none, or the page was deleted meanwhile (its
// window deleted at once), which the caller must then see by a QPointer of its own and use
// nothing of it.
QByteArray mache_seitenpdf(QWebEnginePage* seite, const QPageLayout& layout, QWidget* eltern, const QString& titel,
                           QString& fehler);
