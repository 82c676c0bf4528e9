#include "cgbrowser.h"
#include "bedienhilfe.h"
#include "berichtsdokument.h"
#include "berichthtml.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cgbrowserex.h"
#include "cgbrowserweb.h"
#include "cgmail.h"
#include "cqtabwidget.h"
#include "czeit.h"
#include "dateien.h"
#include "dialogseam.h"
#include "druckfolge.h"
#include "druckseiten.h"
#include "gui.h"
#include "hintergrund.h"
#include "katalog.h"
#include "loeschaufschub.h"
#include "pdfausgabe.h"
#include "pdfoeffner.h"
#include "protokolldruck.h"
#include "steuerdaten.h"
#include "verzeichnisse.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <memory>
#include <vector>

CKlasse eintrag_CGBrowser("CGBrowser");
// The mail classes are registered with the browser that makes the mails.
CKlasse eintrag_CGMail("CGMail");
CKlasse eintrag_CEMLMail("CEMLMail");
CKlasse* CGBrowser::klasse = &eintrag_CGBrowser;

bool CGBrowser::druck_stoermeldung = false;
QString CGBrowser::druck_titel;

namespace {

// Registered while globals are built, so the settings dialog lists them before any browser exists.
const bool angelegt = (CGBrowser::gib_druckeinstellungen(), true);

bool ist_gestoppt(const QPrinter& drucker)
{
    const QPrinter::PrinterState zustand = drucker.printerState();
    return zustand == QPrinter::Aborted || zustand == QPrinter::Error;
}

void verarbeite_ereignisse()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The footer box is measured with a page number as wide as a job's last one may be.
constexpr int breiteste_nummer = 99999;

// Pixels of a length in centimetres at `dpi`, cut as the layout cuts them.
int in_pixel(double zentimeter, int dpi)
{
    return static_cast<int>(zentimeter / 2.54 * dpi);
}

// A viewer deleted at once while its report was still read, or while it printed, leaves nothing
// behind: the user is told.
void melde_geschlossen()
{
    melde_bericht(QCoreApplication::translate("CGBrowser", "Das Fenster wurde geschlossen, bevor der Bericht fertig war: "
                                                           "nichts wurde gespeichert, gedruckt oder gemailt."));
}

// A printer that writes a file it could not write says so in the log, with the reason when one
// is known.
void melde_druckfehler(const QPrinter& drucker, const QString& grund = QString())
{
    if ((drucker.printerState() != QPrinter::Error && grund.isEmpty()) || drucker.outputFileName().isEmpty())
        return;
    CQCat::gib_instanz()->error(CQString(ausgabedatei_fehler(drucker.outputFileName(), grund)));
}

// What a copy of a text page is made of, taken on the GUI thread: the report file it shows, which
// the copy reads beside the window, or else the page's own text or HTML.
struct Seiteninhalt
{
    QString datei;
    QString jetzt;
};

Seiteninhalt inhalt_von(const CGBrowserEx* seite, bool html)
{
    if (!seite)
        return {};
    const QString datei = seite->gib_berichtsdatei();
    if (!datei.isEmpty())
        return {datei, QString()};
    return {QString(), html ? QString(seite->gib_html()) : seite->toPlainText()};
}

// The text, or with `html` the HTML, of a page's content: an HTML report's own markup, the
// document of any other report as the page shows it. `fehler` gets why a file cannot be read.
QString lies_inhalt(const Seiteninhalt& inhalt, bool html, CHintergrund& arbeit, QString& fehler)
{
    if (inhalt.datei.isEmpty())
        return inhalt.jetzt;
    QString text;
    if (html && !ist_textbericht(inhalt.datei)) {
        CBerichtsdokument::lies_html(inhalt.datei, text, fehler);
        return text;
    }
    CBerichtsdokument dokument;
    fehler = dokument.lade(inhalt.datei, 0, &arbeit);
    return html ? dokument.toHtml(QByteArrayLiteral("utf-8")) : dokument.toPlainText();
}

} // namespace

CGBrowser::Druckeinstellungen& CGBrowser::gib_druckeinstellungen()
{
    static auto* werte = new Druckeinstellungen{
        {"/Privat/Print/fusszeile", JA, "Drucken: bei Objektberichten Fusszeilenkasten verwenden", ""},
        {"/Privat/Print/margin_bot", 1.0, "Drucken: Seitenrand unten (cm)", ""},
        {"/Privat/Print/margin_left", 2.0, "Drucken: Seitenrand links (cm)", ""},
        {"/Privat/Print/margin_right", 2.0, "Drucken: Seitenrand rechts (cm)", ""},
        {"/Privat/Print/margin_top", 2.0, "Drucken: Seitenrand oben (cm)", ""}};
    return *werte;
}

CGBrowser::CGBrowser(QWidget* eltern_, const CQString& name, const bool& zwei_seiten_)
    : CWidget(eltern_, name), eltern(eltern_), zwei_seiten(zwei_seiten_)
{
    setAttribute(Qt::WA_DeleteOnClose);
    druck_stoermeldung = false;
    druck_titel.clear();

    const Druckeinstellungen& einstellungen = gib_druckeinstellungen();
    rand_oben = static_cast<float>(einstellungen.rand_oben.gib_wert());
    rand_unten = static_cast<float>(einstellungen.rand_unten.gib_wert());
    rand_links = static_cast<float>(einstellungen.rand_links.gib_wert());
    rand_rechts = static_cast<float>(einstellungen.rand_rechts.gib_wert());

    web = !zwei_seiten && gib_steuerwert(CQString("/Allgemein/HTML_Viewer_verwende_QWebEngineView"), false).toBool();

    layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    QWidget* seite1 = nullptr;
    if (web) {
        webseite1 = new CGBrowserWeb(this);
        connect(webseite1, &CGBrowserWeb::pdfFertig, this, &CGBrowser::zeigePDFSlot);
        seite1 = webseite1;
    } else {
        textseite1 = new CGBrowserEx(this);
        connect(textseite1, &QTextBrowser::anchorClicked, this, &CGBrowser::anchorClickedSlot);
        seite1 = textseite1;
    }

    if (zwei_seiten) {
        textseite2 = new CGBrowserEx(this);
        textseite2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        tabs = new CQTabWidget(this);
        tabs->setObjectName(QStringLiteral("tabWidget2"));
        tabs->setGeometry(0, 25, 660, 420);
        tabs->addTab(seite1, tr("Seite 1"));
        tabs->addTab(textseite2, tr("Seite 2"));
        blaettere_per_strg_bild(tabs);
        layout->addWidget(tabs);
        connect(textseite2, &QTextBrowser::anchorClicked, this, &CGBrowser::anchorClickedSlot2);
    } else {
        seite1->show();
        layout->addWidget(seite1);
    }

    eigene_dateien = gib_eigene_dateien().absolutePath();
    weitere_dateien.clear();
    quelle.clear();
    seite1->setFocus(Qt::OtherFocusReason);
}

CGBrowser::~CGBrowser()
{
    delete textseite1;
    delete textseite2;
    delete webseite1;
    delete webseite2;
}

void CGBrowser::ausgabe(std::ostream& os) const
{
    os << "CGBrowser " << name.toStdString() << (zwei_seiten ? " (zwei Seiten)" : "") << (web ? " (web)" : "");
}

void CGBrowser::zurueck()
{
    if (textseite1)
        textseite1->backward();
    else if (webseite1)
        webseite1->back();
}

void CGBrowser::vorwaerts()
{
    if (textseite1)
        textseite1->forward();
    else if (webseite1)
        webseite1->forward();
}

void CGBrowser::startseite()
{
    if (webseite1 && !webseite1->gib_quelle().isEmpty())
        webseite1->zeige_quelle(webseite1->gib_quelle());
}

void CGBrowser::neu_laden()
{
    if (webseite1)
        webseite1->reload();
}

CQString CGBrowser::titel() const
{
    return CQString(windowTitle());
}

void CGBrowser::highlightedSlot(CQString) {}

bool CGBrowser::folge_link(CGBrowserEx* seite, const QUrl& url)
{
    // A link relative to the report is meant from the report's folder, not the program's.
    return seite->zeige_quelle(CQString(loese_link_auf(seite->source(), url).toString()));
}

void CGBrowser::anchorClickedSlot(const QUrl& url)
{
    if (url.isEmpty() || !textseite1)
        return;
    // The title is the target's once the page shows it.
    const QString dokumenttitel = folge_link(textseite1, url) ? textseite1->documentTitle() : QString();
    setWindowTitle(dokumenttitel.isEmpty() ? url.toString() : dokumenttitel);
}

void CGBrowser::anchorClickedSlot2(const QUrl& url)
{
    if (url.isEmpty() || !textseite2)
        return;
    folge_link(textseite2, url);
}

void CGBrowser::setze_quelle(const CQString& quelle_)
{
    if (quelle_.isEmpty()) {
        quelle.clear();
        return;
    }
    // A report that is not there, or larger than a page loads, is said so, rather than shown as
    // an empty page or taking all memory. Documents of other kinds go to the programs that open
    // them, which speak for themselves.
    const QString datei = quelle_.startsWith(QLatin1Char('#')) ? QString() : lokale_datei(quelle_);
    const bool seite_zeigt_sie = webseite1 || berichtsendungen().contains(QFileInfo(datei).suffix().toLower());
    verweigerung.clear();
    if (!datei.isEmpty() && seite_zeigt_sie && bericht_verweigert(datei, &verweigerung)) {
        // Nor does the report shown before stay, to be saved, printed or mailed in its place.
        quelle.clear();
        if (textseite1) {
            textseite1->quelle.clear();
            textseite1->clear();
        }
        if (webseite1)
            webseite1->leere();
        return;
    }
    if (textseite1)
        textseite1->zeige_quelle(quelle_);
    else if (webseite1)
        webseite1->zeige_quelle(quelle_);
}

void CGBrowser::melde_leer() const
{
    const QString grund = !verweigerung.isEmpty() ? verweigerung : textseite1 ? textseite1->gib_ladefehler() : QString();
    if (grund.isEmpty())
        fehler_ton();
    else
        melde_bericht(grund);
}

bool CGBrowser::warte_auf_bericht(bool* abgebrochen)
{
    // An empty viewer (its report was missing, say) has nothing to give: no empty files.
    if (ist_leer()) {
        melde_leer();
        return false;
    }
    // The share read of the page that has come least far, in per mille; -1 once none loads. The
    // two-page form is printed from what its pages show.
    const auto anteil = [this] {
        int prozent = webseite1 && webseite1->laedt() ? webseite1->gib_fortschritt() : -1;
        for (const CGBrowserEx* seite : {textseite1, textseite2})
            if (zwei_seiten && seite && seite->laedt())
                prozent = prozent < 0 ? seite->gib_fortschritt() : qMin(prozent, seite->gib_fortschritt());
        return prozent < 0 ? -1 : prozent * 10;
    };
    switch (CHintergrund::warte(this, tr("Der Bericht wird geladen ..."), this, [&anteil] { return anteil() < 0; },
                                anteil)) {
    case CHintergrund::Ende::fertig:
        break;
    case CHintergrund::Ende::abgebrochen:
        if (abgebrochen)
            *abgebrochen = true;
        return false;
    case CHintergrund::Ende::weg:
        melde_geschlossen();
        return false;
    }
    // A page that could not be loaded shows the engine's error page, which is no report.
    const QString fehler = webseite1 ? webseite1->gib_ladefehler() : QString();
    if (!fehler.isEmpty()) {
        melde_bericht(fehler);
        return false;
    }
    // A report that could not be read leaves its page empty.
    if (ist_leer()) {
        melde_leer();
        return false;
    }
    return true;
}

// ---- Printing ----

void CGBrowser::drucke(const int& art)
{
    // Nothing to print gives no blank sheet; a report still being read is printed whole.
    if (!warte_auf_bericht())
        return;
    if (!zwei_seiten) {
        // A web page prints through its PDF data, not through a print dialog that has nothing to print.
        if (webseite1) {
            webseite1->drucke();
            return;
        }
        QPrinter drucker(QPrinter::HighResolution);
        const QPointer<CGBrowser> selbst(this);
        if (!frage_drucker(this, drucker) || !selbst)
            return;
        if (textseite1)
            drucke_text(*textseite1->document(), drucker);
        return;
    }
    // The two-page form always shows text pages.
    if (textseite1)
        drucke_seiten(textseite1, textseite2, zwei_seiten, art);
}

void CGBrowser::drucke_seiten(CGBrowserEx* seite1, CGBrowserEx* seite2, bool fusszeile, const int& art)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setFullPage(true);
    // The window may go while the dialog is open, and a page begin to load again.
    const QPointer<CGBrowser> selbst(this);
    if (!frage_drucker(gib_hauptfenster(), drucker) || !selbst || !warte_auf_bericht())
        return;
    // Page 2 counts only with text in its source file.
    const CQString html2 = seite2 ? seite2->lies_quelldatei() : CQString();
    const bool drucke2 = !html2.isEmpty() && art != 1;
    const CQString html1 = art != 2 && seite1 ? seite1->lies_quelldatei() : CQString();
    drucke_berichtsseiten(drucker, art != 2 && seite1 ? &html1 : nullptr, drucke2 ? &html2 : nullptr, fusszeile);
}

void CGBrowser::drucke_berichtsseiten(QPrinter& drucker, const CQString* html1, const CQString* html2, bool fusszeile)
{
    // Nothing to print leaves no empty file or sheet behind, nor does paper too small for a line.
    if (!html1 && !html2)
        return;
    if (!papier_reicht(drucker, fusszeile)) {
        melde_papier_zu_klein(drucker);
        return;
    }
    // The events let run meanwhile may close this viewer: it goes once the job has ended. One its
    // caller deletes at once ends the job, and the file is not written.
    const CLoeschaufschub aufschub;
    const QPointer<CGBrowser> selbst(this);
    setze_warte_cursor(true, false);
    warte_cursor = true;
    blatt_belegt = false;
    verarbeite_ereignisse();
    if (!selbst) {
        setze_warte_cursor(false, false);
        melde_geschlossen();
        return;
    }
    // Both report pages are laid out before the printer writes anything: one that cannot be
    // printed whole is refused with its reason and leaves no file.
    std::vector<std::unique_ptr<QTextDocument>> dokumente;
    std::vector<std::unique_ptr<CDruckseiten>> teile;
    for (const auto& [html, seite] : {std::pair(html1, textseite1), std::pair(html2, textseite2)}) {
        if (!html)
            continue;
        // The pictures are the page's, found from its source as on screen.
        const QString papier = bereite_html_fuer_druck(*html);
        if (seite) {
            dokumente.push_back(seite->druckdokument(papier));
        } else {
            dokumente.push_back(std::make_unique<QTextDocument>());
            dokumente.back()->setHtml(papier);
        }
        teile.push_back(lege_seiten_an(drucker, *dokumente.back(), fusszeile));
        if (!teile.back()->gib_fehler().isEmpty()) {
            beende_warte_cursor();
            melde_nicht_druckbar(teile.back()->gib_fehler());
            return;
        }
    }
    // A PDF file is written beside its target: the old file stays until the new one is whole.
    CPdfAusgabe ausgabe(drucker);
    QPainter maler;
    if (!maler.begin(&drucker)) {
        beende_warte_cursor();
        (void)ausgabe.beende(false);
        melde_druckfehler(drucker);
        return;
    }
    int nummer = 0;
    // Whether the wait cursor is still on, known once this viewer is gone.
    bool cursor_an = true;
    // A printer that stopped ends only the page it stopped in; the next page is still tried.
    for (const std::unique_ptr<CDruckseiten>& seiten : teile) {
        if (!selbst)
            break;
        drucke_seitenweise(drucker, maler, *seiten, fusszeile, nummer);
        cursor_an = selbst ? warte_cursor : cursor_an;
    }
    if (selbst)
        verarbeite_ereignisse();
    if (!selbst) {
        if (cursor_an)
            setze_warte_cursor(false, false);
        // The documents went with their pages.
        teile.clear();
        for (std::unique_ptr<QTextDocument>& dokument : dokumente)
            (void)dokument.release();
        maler.end();
        (void)ausgabe.beende(false);
        melde_geschlossen();
        return;
    }
    beende_warte_cursor();
    const bool beendet = maler.end();
    melde_druckfehler(drucker, ausgabe.beende(beendet && drucker.printerState() != QPrinter::Error));
}

void CGBrowser::beende_warte_cursor()
{
    if (!warte_cursor)
        return;
    warte_cursor = false;
    setze_warte_cursor(false, false);
}

std::unique_ptr<CDruckseiten> CGBrowser::lege_seiten_an(QPrinter& drucker, QTextDocument& dokument, bool fusszeile)
{
    int fuss = 0;
    const QMarginsF raender = druckraender(drucker, dokument.defaultFont(), mit_fusszeile(fusszeile), fuss);
    return std::make_unique<CDruckseiten>(dokument, drucker, drucker.pageRect(QPrinter::DevicePixel).size(), raender);
}

bool CGBrowser::mit_fusszeile(bool fusszeile)
{
    return fusszeile && gib_druckeinstellungen().fusszeile.gib_wert() != NEIN;
}

QMarginsF CGBrowser::druckraender(QPrinter& drucker, const QFont& schrift, bool mit_fuss, int& fuss)
{
    const int dpi = drucker.logicalDpiY();
    geraeterand_oben = in_pixel(rand_oben, dpi);
    geraeterand_links = in_pixel(rand_links, dpi);
    geraeterand_rechts = in_pixel(rand_rechts, dpi);
    if (mit_fuss) {
        // The box stands in the bottom margin; one taller (its cells wrap on narrow paper) is
        // lifted until it ends where the printer still prints.
        const qreal breite = drucker.pageRect(QPrinter::DevicePixel).width() - geraeterand_links - geraeterand_rechts;
        const auto probe = fusskasten(breiteste_nummer, drucker, breite);
        QPageLayout kleinste = drucker.pageLayout();
        kleinste.setMargins(kleinste.minimumMargins());
        fuss = std::max(in_pixel(rand_unten, dpi),
                        qCeil(probe->size().height()) + kleinste.marginsPixels(drucker.resolution()).bottom());
    } else {
        fuss = static_cast<int>(QFontMetricsF(schrift, &drucker).ascent() + 5.0 * dpi / 72);
    }
    // The text ends one centimetre above the footer.
    geraeterand_unten = fuss + in_pixel(1.0, dpi);
    return QMarginsF(geraeterand_links, geraeterand_oben, geraeterand_rechts, geraeterand_unten);
}

std::unique_ptr<QTextDocument> CGBrowser::fusskasten(int nummer, QPaintDevice& geraet, qreal breite) const
{
    auto kasten = std::make_unique<QTextDocument>();
    kasten->setHtml(fusszeile_html(nummer));
    kasten->documentLayout()->setPaintDevice(&geraet);
    kasten->setDocumentMargin(0);
    kasten->setTextWidth(breite);
    return kasten;
}

bool CGBrowser::papier_reicht(QPrinter& drucker, bool fusszeile)
{
    const QFont schrift = QTextDocument().defaultFont();
    int fuss = 0;
    const QSizeF inhalt =
        drucker.pageRect(QPrinter::DevicePixel).size().shrunkBy(druckraender(drucker, schrift, mit_fusszeile(fusszeile), fuss));
    return CDruckseiten::fasst_eine_zeile(inhalt, QFontMetricsF(schrift, &drucker));
}

bool CGBrowser::drucke_seitenweise(QPrinter& drucker, QPainter& maler, const CDruckseiten& seiten, bool fusszeile,
                                   int& nummer)
{
    const bool mit_fuss = mit_fusszeile(fusszeile);
    int fuss = 0;
    druckraender(drucker, seiten.gib_dokument().defaultFont(), mit_fuss, fuss);
    const QSizeF seite = drucker.pageRect(QPrinter::DevicePixel).size();
    const QRectF koerper(QPointF(0, 0), seite);

    const QVector<int> folge = gib_druckfolge(drucker, seiten.anzahl());
    if (folge.isEmpty())
        return true;
    QPointF position(seite.width() - geraeterand_rechts, seite.height() - fuss);
    if (mit_fuss)
        position.setX(geraeterand_links);

    const QPointer<CGBrowser> selbst(this);
    for (const int i : folge) {
        verarbeite_ereignisse();
        if (!selbst)
            return false;
        if (ist_gestoppt(drucker)) {
            beende_warte_cursor();
            return false;
        }
        if (blatt_belegt)
            drucker.newPage();
        zeichne_blatt(i, nummer + i, maler, seiten, koerper, position, mit_fuss);
        blatt_belegt = true;
    }
    // The next report page goes on after the range's last page, whichever order it was printed in.
    nummer = *std::max_element(folge.begin(), folge.end());
    return true;
}

void CGBrowser::zeichne_blatt(int seite, int nummer, QPainter& maler, const CDruckseiten& seiten,
                              const QRectF& koerper, const QPointF& position, bool fusszeile)
{
    seiten.zeichne(maler, seite, koerper);
    if (position.isNull())
        return;
    // The number's place is measured on the sheet, from the body's top.
    maler.save();
    maler.setClipping(false);
    const QFont schrift = seiten.gib_dokument().defaultFont();
    maler.setFont(schrift);
    const int y = qRound(koerper.top() + position.y());
    if (!fusszeile) {
        const QString text = QString::number(nummer);
        const qreal breite = QFontMetricsF(schrift, maler.device()).horizontalAdvance(text);
        maler.drawText(QPoint(qRound(koerper.left() + position.x() - breite), y), text);
    } else {
        const auto kasten = fusskasten(nummer, *maler.device(), koerper.width() - position.x() - geraeterand_rechts);
        maler.translate(qRound(koerper.left() + position.x()), y);
        maler.setClipRect(QRectF(0, 0, koerper.width(), koerper.height()));
        QAbstractTextDocumentLayout::PaintContext kontext;
        kontext.palette.setColor(QPalette::Text, Qt::black);
        kasten->documentLayout()->draw(&maler, kontext);
    }
    maler.restore();
}

CQString CGBrowser::fusszeile_html(int nummer) const
{
    // The title is text, not markup: "<" or "&" in it would break the footer's table.
    const QString titelzelle = druck_titel.isEmpty() ? QStringLiteral("vared") : druck_titel.toHtmlEscaped();
    CZeitVDN jetzt;
    jetzt.setze_jetzt();
    const QString datumszelle = (druck_stoermeldung ? tr("Störungsmeldung gedruckt am:") : tr("Bericht gedruckt am:")) +
                                QLatin1Char(' ') + jetzt.als_qstring(false, false, false) + QLatin1Char(' ') + tr("Uhr");
    const QString seitenzelle = tr("Seite:") + QLatin1Char(' ') + QString::number(nummer);
    return CQString(QStringLiteral("<table border=3 width=100% bordercolor=#000000 cellpadding=0 cellspacing=0 >\n") +
                    QStringLiteral("<tr bgcolor=#ffffff>\n") + QStringLiteral("<td width=15% align=center>") +
                    titelzelle + QStringLiteral("</td>\n") + QStringLiteral("<td width=70% align=center>") +
                    datumszelle + QStringLiteral("</td>\n") + QStringLiteral("<td width=15% align=center>") +
                    seitenzelle + QStringLiteral("</td>\n") + QStringLiteral("</tr>\n") +
                    QStringLiteral("</table>\n"));
}

// ---- Saving and PDF ----

QString CGBrowser::zeige_pdf_datei() const
{
    const QString name = QStringLiteral(".zeigePDF.pdf");
    return eigene_dateien.isEmpty() ? name : eigene_dateien + QLatin1Char('/') + name;
}

void CGBrowser::speichern_unter(int art, const bool& zeigen)
{
    static const char* const endungen[] = {".txt", ".html", ".pdf"};
    if (art < 0 || art > 2)
        return;
    const QString endung = QLatin1String(endungen[art]);
    const bool anzeigen = art == 2 && zeigen;
    // A save the user cancels while the report is still read says so too.
    bool abgebrochen = false;
    const auto gewartet = [&](const QString& datei) {
        if (warte_auf_bericht(&abgebrochen))
            return true;
        if (abgebrochen)
            melde_speichern_abgebrochen(datei);
        return false;
    };
    if (!gewartet(speicherziel))
        return;
    const QPointer<CGBrowser> selbst(this);

    QString ziel;
    if (anzeigen) {
        ziel = zeige_pdf_datei();
    } else if (!speicherziel.isEmpty()) {
        ziel = speicherziel;
    } else {
        CQStringSteuer& letzte = gib_katalog_privat().dirs_exp_html;
        const QFileInfo bisher(letzte.gib_wert_qstr());
        // Saved as text before, proposed as HTML now: the same name with the new extension.
        if (!bisher.fileName().isEmpty() && QLatin1Char('.') + bisher.suffix().toLower() != endung)
            letzte.setze_wert_qstr(CQString(bisher.path() + QLatin1Char('/') + bisher.completeBaseName() + endung));
        ziel = speichere_datei_dialog(this, letzte, tr("Berichte"), tr("bericht"), endung, tr("Speichern unter"),
                                      true, true);
        // The window may go while the dialog is open, and a page begin to load again.
        if (ziel.isEmpty() || !selbst || !gewartet(ziel))
            return;
    }

    if (art == 2) {
        drucke_pdf(CQString(ziel), anzeigen);
        return;
    }
    if (art == 1) {
        // Taken now: the window may go while the file is written.
        const QStringList beilagen = weitere_dateien;
        const QString eigene = eigene_dateien;
        if (!speichere_html(CQString(ziel), false, false, CQString()))
            return;
        const QString ordner = QFileInfo(ziel).absolutePath();
        for (const QString& datei : beilagen) {
            if (datei.isEmpty())
                continue;
            const QFileInfo info(datei);
            const QString von = info.path() == QLatin1String(".") ? eigene + QLatin1Char('/') + datei : datei;
            const QString nach = ordner + QLatin1Char('/') + info.fileName();
            if (QFileInfo(von).absoluteFilePath() == QFileInfo(nach).absoluteFilePath())
                continue;
            if (kopiere_datei(von, nach, false, false) != 0)
                CQCat::gib_instanz()->error(CQString(tr("Konnte '%1' nicht nach '%2' kopieren.").arg(von, nach)));
        }
        return;
    }

    // The plain text itself: read back as HTML it would lose its lines and its "<" and "&".
    const Seiteninhalt seite1 = textseite1 ? inhalt_von(textseite1, false)
                                           : Seiteninhalt{QString(), webseite1 ? webseite1->gib_text() : QString()};
    const Seiteninhalt seite2 = zwei_seiten ? inhalt_von(textseite2, false) : Seiteninhalt();
    const bool mit_seite2 = zwei_seiten && textseite2;
    // Nothing of the window in the work: it may go while the work runs.
    const QString fehler = CHintergrund::fuehre_aus(this, tr("Speichern ..."), [&](CHintergrund& arbeit) {
        QString grund;
        QString text = lies_inhalt(seite1, false, arbeit, grund);
        if (mit_seite2)
            text += QLatin1Char('\n') + lies_inhalt(seite2, false, arbeit, grund);
        // A read the user cancelled has no reason of its own.
        abgebrochen = grund.isEmpty() && arbeit.abgebrochen();
        if (!grund.isEmpty() || abgebrochen)
            return grund;
        // Images leave their stand-in character behind, which no text reader shows.
        text.remove(QChar::ObjectReplacementCharacter);
        const QString schreibfehler = schreibe_ganz(ziel, text.toUtf8());
        return schreibfehler.isEmpty() ? QString() : ausgabedatei_fehler(ziel, schreibfehler);
    });
    if (abgebrochen)
        melde_speichern_abgebrochen(ziel);
    else if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(CQString(fehler));
}

bool CGBrowser::speichere_html(const CQString& datei, bool, bool, const CQString&)
{
    bool abgebrochen = false;
    if (!warte_auf_bericht(&abgebrochen)) {
        if (abgebrochen)
            melde_speichern_abgebrochen(datei);
        return false;
    }
    const Seiteninhalt seite1 =
        textseite1 ? inhalt_von(textseite1, true)
                   : Seiteninhalt{QString(), webseite1 ? QString(webseite1->gib_html()) : QString()};
    const Seiteninhalt seite2 = zwei_seiten ? inhalt_von(textseite2, true) : Seiteninhalt();
    const bool mit_seite2 = zwei_seiten && textseite2;
    // Nothing of the window in the work: it may go while the work runs.
    const bool relativ = link_modus == 0;
    const QStringList beilagen = weitere_dateien;
    bool geschrieben = false;
    const QString fehler = CHintergrund::fuehre_aus(this, tr("Speichern ..."), [&](CHintergrund& arbeit) {
        QString grund;
        QString html = lies_inhalt(seite1, true, arbeit, grund);
        if (relativ)
            html = mache_dateiverweise_relativ(html, beilagen, false);
        if (mit_seite2)
            html += lies_inhalt(seite2, true, arbeit, grund);
        abgebrochen = arbeit.abgebrochen();
        if (!grund.isEmpty() || abgebrochen)
            return grund;
        geschrieben = schreibe_berichtshtml(datei, html, &grund);
        return geschrieben ? QString() : ausgabedatei_fehler(datei, grund);
    });
    // A save the user cancelled wrote nothing, and failed in nothing.
    if (!geschrieben) {
        if (abgebrochen)
            melde_speichern_abgebrochen(datei);
        else
            CQCat::gib_instanz()->error(CQString(fehler.isEmpty() ? ausgabedatei_fehler(datei) : fehler));
        return false;
    }
    return true;
}

void CGBrowser::drucke_pdf(const CQString& datei, const bool& drucken)
{
    if (webseite1) {
        webseite1->drucke_pdf(datei, drucken, CGBrowserWeb::pdf_layout());
        return;
    }
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(datei);
    if (!tabs) {
        if (textseite1)
            drucke_text(*textseite1->document(), drucker);
    } else if (textseite1) {
        // Each page's pictures are found from its own source, as on screen.
        std::unique_ptr<QTextDocument> beide = textseite1->druckdokument(textseite1->toHtml());
        if (textseite2) {
            QTextCursor ende(beide.get());
            ende.movePosition(QTextCursor::End);
            ende.insertBlock();
            ende.insertFragment(QTextDocumentFragment(textseite2->druckdokument(textseite2->toHtml()).get()));
        }
        const QPointer<QTextDocument> bleibt(beide.get());
        drucke_text(*beide, drucker);
        // Gone with its page, when the window went while it printed.
        if (!bleibt)
            (void)beide.release();
    }
}

bool CGBrowser::ist_leer() const
{
    if (textseite1)
        return textseite1->document()->isEmpty() && (!textseite2 || textseite2->document()->isEmpty());
    // A web page shows nothing without a source; its text is not asked for, which would parse
    // its markup whole on the GUI thread (a report of 30 MB for minutes).
    return !webseite1 || webseite1->gib_quelle().isEmpty();
}

void CGBrowser::drucke_text(QTextDocument& dokument, QPrinter& drucker) const
{
    // The page's own margins, not those QTextDocument::print adds to a document without pages.
    Druckeinrichtung einrichtung;
    einrichtung.raender_mm = QMarginsF(rand_links * 10, rand_oben * 10, rand_rechts * 10, rand_unten * 10);
    // The page's report is printed from its file, made beside the window as the page made it.
    const QString datei = textseite1 && &dokument == textseite1->document() ? textseite1->gib_berichtsdatei() : QString();
    if (datei.isEmpty()) {
        drucke_auf_drucker(&dokument, drucker, CQString(), einrichtung);
        return;
    }
    const QFont schrift = dokument.defaultFont();
    const Druckvorlage vorlage = [datei, schrift](CHintergrund& arbeit, qreal breite, QString& fehler) {
        auto bericht = std::make_unique<CBerichtsdokument>();
        bericht->setDefaultFont(schrift);
        fehler = bericht->lade(datei, breite, &arbeit);
        return fehler.isEmpty() ? std::unique_ptr<QTextDocument>(std::move(bericht)) : nullptr;
    };
    drucke_auf_drucker(vorlage, schrift, drucker, CQString(), einrichtung);
}

void CGBrowser::zeigePDFSlot()
{
    const QString datei = webseite1 ? QString(webseite1->gib_ausgabedatei()) : zeige_pdf_datei();
    zeige_pdf_mit_meldung(CQString(datei), "CGBrowser");
}

// ---- Mail ----

void CGBrowser::sende_bericht()
{
    if (warte_auf_bericht() && mailversand_frei(true))
        erstelle_mail();
}

void CGBrowser::erstelle_mail()
{
    // The mail is whole before its report is read: the window may go meanwhile, the mail goes
    // all the same.
    auto* mail = new CGMail;
    mail->dateien = weitere_dateien;
    mail->link_modus = link_modus;
    mail->betreff = mail_betreff;
    mail->text = mail_text;
    if (tabs && textseite1) {
        mail->zweite_seite = true;
        mail->html2 = CQString(textseite2 ? textseite2->toHtml() : QString());
    }
    // A report's file is read beside the window; a text report travels as its file, which the mail
    // reads itself.
    const QString bericht = !quelle.isEmpty() ? QString(quelle) : textseite1 ? textseite1->gib_berichtsdatei() : QString();
    if (!bericht.isEmpty() && (textseite1 || !quelle.isEmpty())) {
        const bool lesen = !quelle.isEmpty() || !ist_textbericht(bericht);
        bool abgebrochen = false;
        CHintergrund::fuehre_aus(this, tr("Mail wird vorbereitet ..."), [mail, bericht, lesen, &abgebrochen](CHintergrund& arbeit) {
            mail->lies_text(CQString(bericht), lesen);
            abgebrochen = arbeit.abgebrochen();
            return QString();
        });
        // Abbrechen means no mail.
        if (abgebrochen) {
            delete mail;
            return;
        }
    } else if (textseite1) {
        // A page given its HTML travels as that HTML.
        mail->lies_text(textseite1->quelle, false);
        mail->html = CQString(textseite1->toHtml());
    } else if (webseite1) {
        const QString seitenquelle = webseite1->gib_quelle();
        if (ist_xml_methode_2()) {
            // The page shows the XML source; the report file is its HTML beside it.
            const QFileInfo info(seitenquelle);
            const QString name = info.fileName();
            const int ohne_endung = name.size() - info.suffix().size() - 1;
            const QString stamm = ohne_endung > 0 ? name.left(ohne_endung) : name;
            mail->lies_text_anlage(CQString(seitenquelle), CQString(info.path() + QLatin1Char('/') + stamm + ".html"),
                                   false);
        } else {
            mail->lies_text(CQString(seitenquelle), false);
        }
        mail->html = webseite1->gib_html();
    }
    // The browser keeps no mail: one handed to the mail client goes when the client's program
    // has ended (it owns the program's runner until then), an SMTP mail once it has been sent.
    connect(mail, &CGMail::sendmail_signal, mail, &QObject::deleteLater);
    mail->bereite_mail_vor();
    // One that ended before any hand-off (cancelled, or failed on the way) goes too.
    if (mail->smtp || (mail->fehler && !mail->prozess && !mail->pdf_seite))
        mail->deleteLater();
}

void CGBrowser::slotHandlePdfPrinted(const QByteArray& daten)
{
    if (daten.isEmpty())
        return;
    const QString fehler = schreibe_ganz(mail_pdf_datei, daten);
    if (!fehler.isEmpty()) {
        CQCat::gib_instanz()->error(CQString(ausgabedatei_fehler(mail_pdf_datei, fehler)));
        return;
    }
    weitere_dateien << mail_pdf_datei;
    mail_pdf_datei.clear();
    erstelle_mail();
}
