// Keeps a report page's loads of local files inside the folder of the report it shows.
#pragma once

#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

// A report page may load the local files in the folder of its shown document and below it
// (images, style sheets, frames beside the report); any other local file it asks for, by a
// frame, an embedded object or a script, is refused and logged, so that no file such as
// /etc/hostname finds its way into a page that is then saved, printed or mailed. What the main
// frame shows is the page's own decision (`CGBrowserWeb`, which asks `erlaubt` for the jumps a
// page makes itself); addresses of other schemes pass.
// A file is taken where its links lead, so a link beside the report to a file elsewhere is
// elsewhere; a file that does not exist is refused. Called in the GUI thread.
class Berichtsordnerwache : public QWebEngineUrlRequestInterceptor
{
public:
    // Set on one page and a child of it: the page does not own its interceptor.
    explicit Berichtsordnerwache(QObject* seite);

    void interceptRequest(QWebEngineUrlRequestInfo& anfrage) override;

    // A folder whose files (and those below it) the page may load besides its own: the report's
    // folder for a copy of the report shown elsewhere.
    void erlaube_ordner(const QString& ordner);

    // True when the local file `datei` lies in the folder of `dokument` (a local file) or below
    // it, or in a folder allowed besides.
    bool erlaubt(const QString& datei, const QUrl& dokument) const;

private:
    QStringList erlaubte_ordner;
};
