// A web page of the report browser: loads every source itself, tells its history and progress, turns itself into PDF and prints through PDF data.
#pragma once

#include "cqstring.h"

#include <QByteArray>
#include <QPointer>
#include <QPageLayout>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <memory>

class Berichtsordnerwache;
class CDruckerzuordnung;
class CPrinter;
class CSeiteEinrichtenWidget;

class CGBrowserWeb : public QWebEngineView
{
    Q_OBJECT
public:
    // Gets every new web page, to reload it when its render process ends; none until the browser
    // installs its watchdog.
    using RenderWaechter = std::function<void(QWebEngineView* seite)>;
    // An empty function removes it.
    static void setze_renderwaechter(RenderWaechter waechter);

    // A4 portrait without margins, the layout of every PDF of a web page.
    static QPageLayout pdf_layout();

    // The page's scripts read no local file, and it loads none from outside the folder of the
    // report it shows (see Berichtsordnerwache). Its main frame changes only when the program
    // sets a source or the user follows a link: a jump the page makes itself (a refresh, a
    // script, a form, a redirect) to a local file outside the report's folder is refused and
    // logged. Links the user follows are decided by the allow-list (`pruefe_berichtslink`): web
    // addresses and report files load here, mail addresses and documents go to their programs,
    // anything else is refused and logged; no address ever reaches the desktop from the engine.
    explicit CGBrowserWeb(QWidget* eltern);
    ~CGBrowserWeb() override;

    // Loads a source: plain paths (a relative one from the current folder) and web addresses,
    // "file:" texts as they are. The page's home is the source's local file.
    void zeige_quelle(const CQString& text);
    // Shows nothing, at once: the source and the HTML the page held are gone before the engine
    // has loaded its empty page, so that nothing saves, prints or mails the report shown before.
    void leere();
    // Lets the page also load the local files in `ordner` and below it.
    void erlaube_ordner(const QString& ordner);
    // The view's URL; the one last given to `zeige_quelle` while the view has none.
    QUrl url() const;
    // The page's HTML as last delivered by the engine, and its plain text.
    CQString gib_html() const;
    CQString gib_text() const;
    // The PDF file last written.
    CQString gib_ausgabedatei() const;
    // From a source set, or a load begun, until the HTML of the loaded page has come, or the load
    // has failed: until then the page's HTML is not that of what it shows, and nothing saves,
    // prints or mails it.
    bool laedt() const { return ladend; }
    // Why the last load failed, with the engine's reason (the error code its error page names);
    // empty when it did not. The engine's error page is no report: its HTML is not kept.
    const QString& gib_ladefehler() const { return ladefehler; }
    int gib_fortschritt() const { return fortschritt; }
    const CQString& gib_quelle() const { return quelle; }

    // Loads the source and writes it as PDF to `ausgabedatei` (and its HTML to `zweiter_name`
    // when given): `pdfFertig` follows, or `pdfFehlgeschlagen` when no PDF came of it.
    void lade_zum_drucken(const CQString& quelle, const CQString& ausgabedatei, const CQString& zweiter_name);
    // PDF output, made while the window answers (`mache_seitenpdf`): with `drucken` the data go to a
    // new temporary file and `pdfFertig` follows; without, they replace `datei` once written
    // whole (else it stays), and no signal follows. A failure is told (log and box), and
    // `pdfFehlgeschlagen` follows while the page is still there; a cancel writes nothing and
    // says so.
    void drucke_pdf(const CQString& datei, const bool& drucken, const QPageLayout& layout);

    // Prints the page on the assigned printer (a running test print's first), or on the printer
    // chosen in the print dialog while no assignment exists; one job at a time. Its PDF data are
    // made as `mache_seitenpdf` makes them; a page that went meanwhile prints nothing, and says so.
    void drucke();
    // Print the page once the next load has finished.
    void setze_druck_ausstehend(bool an) { druck_ausstehend = an; }
    // The assignment to print through in place of the application's one (a test print's page).
    void setze_druckerzuordnung(CSeiteEinrichtenWidget* zuordnung);

signals:
    void backwardAvailable(bool);
    void forwardAvailable(bool);
    void homeAvailable(bool);
    void pdfFertig();
    void linkHovered(const QString&);
    void loadProgressSignal(int);
    // The load-then-print road ended without a PDF (load failed, no data, file not writable).
    void pdfFehlgeschlagen();

public slots:
    void setProgress(int p);
    void loadFinished(bool ok);
    void loadHTML(const QString& html);
    void urlChangedSlot(const QUrl&);
    void printLoadFinishedSlot(bool ok);
    void slotloadHTML(const QString& html);
    void slotHandlePdfPrinted(const QByteArray& daten);
    void slotHandlePdfTmpPrinted(const QByteArray& daten);
    void slotHandlePagePrinted(bool ok);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void wheelEvent(QWheelEvent* ereignis) override;
    void contextMenuEvent(QContextMenuEvent* ereignis) override;

private:
    // Remembers what a press held; after a release the middle button loads the selection's
    // address, when the release was left unhandled or `auch_angenommen` says it counts anyway.
    void merke_druck(const QMouseEvent& ereignis);
    // Whether the engine follows a navigation of the page (see the constructor).
    bool darf_navigieren(const QUrl& adresse, QWebEnginePage::NavigationType art, bool hauptrahmen);
    // A link the user follows, or an address the user gave: whether the engine loads it.
    bool folge_link(const QUrl& adresse);
    void nach_loslassen(const QMouseEvent& ereignis, bool auch_angenommen);
    // Wraps a slot for the engine's callbacks: they may come after the page is gone.
    template <typename T>
    std::function<void(const T&)> rueckruf(void (CGBrowserWeb::*slot)(const T&));
    // The job is over: the printer is forgotten (and dropped when it was the page's own); a job
    // given up before printing also gives up the test print it belonged to.
    void beende_auftrag(bool aufgegeben);
    CDruckerzuordnung* zuordnung() const;
    void beginne_ladung();

    Berichtsordnerwache* ordnerwache = nullptr;

    CQString quelle;
    bool drucken = false;
    bool druck_ausstehend = false;
    QUrl gespeicherte_url;
    int fortschritt = 0;
    int gedrueckte_tasten = 0;
    int gedrueckte_knoepfe = 0;
    QWebEnginePage* seite = nullptr;
    QString seiten_html;
    // Counts loads begun and `leere`: the engine's answer to a request made before is not taken.
    quint64 ladung = 0;
    bool ladend = false;
    // The link under the mouse, and the one the user last pressed the left button on.
    QString zeiger_link;
    QUrl geklickt;
    // A jump of the page's own was refused since the program last set a source.
    bool sprung_abgewiesen = false;
    QString ladefehler;
    CQString ausgabedatei;
    CQString zweiter_name;
    CPrinter* druckauftrag = nullptr;
    // The printer of a job without assignment, chosen in the print dialog.
    std::unique_ptr<CPrinter> eigener_drucker;
    QPointer<CSeiteEinrichtenWidget> eigene_zuordnung;
    std::shared_ptr<bool> lebt;
};
