#include "protokolldruck.h"
#include "camisc.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "cqiodatei.h"
#include "dialogseam.h"
#include "druckfolge.h"
#include "druckseiten.h"
#include "gui.h"
#include "hintergrund.h"
#include "loeschaufschub.h"
#include "pdfausgabe.h"
#include "stueckkopie.h"
#include "verzeichnisse.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QThread>
#include <QTimer>

#include <memory>

Q_GUI_EXPORT int qt_defaultDpiX();

namespace {

// The texts of this file, in the translation context "QObject" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(QObject)
};

// Up to this many lines a protocol is printed without asking.
constexpr int ohne_frage_bis = 400;

// A file that could not be written must not pass unnoticed: it goes to the log and gets the
// error beep.
void melde_schreibfehler(const QString& datei, const QString& grund = QString())
{
    QString text = Text::tr("Die Datei %1 kann nicht geschrieben werden !").arg(datei);
    if (!grund.isEmpty())
        text += QLatin1Char(' ') + grund;
    CQCat::gib_instanz()->error(CQString(text));
    fehler_ton();
}

// A printer that writes a file reports its failure like any other file; a device printer that
// failed says nothing more.
void melde_druckfehler(const QPrinter& drucker, const QString& grund = QString())
{
    if (!drucker.outputFileName().isEmpty())
        melde_schreibfehler(drucker.outputFileName(), grund);
}

// A print into a file that the user cancelled says so, as a cancelled save does: the file was not
// written, and an old one stays.
void melde_druck_abgebrochen(const QPrinter& drucker)
{
    if (!drucker.outputFileName().isEmpty())
        melde_speichern_abgebrochen(drucker.outputFileName());
}

bool ist_gestoppt(const QPrinter& drucker)
{
    const QPrinter::PrinterState zustand = drucker.printerState();
    return zustand == QPrinter::Aborted || zustand == QPrinter::Error;
}

// The wait cursor for the time of one print run, restored on every way out. The events it lets
// run, and those of the print's own loop, may close the window that prints: it goes after the run.
class WarteCursor
{
public:
    WarteCursor()
    {
        setze_warte_cursor(true, false);
        QCoreApplication::processEvents();
    }
    ~WarteCursor()
    {
        QCoreApplication::processEvents();
        setze_warte_cursor(false, false);
    }
    WarteCursor(const WarteCursor&) = delete;
    WarteCursor& operator=(const WarteCursor&) = delete;

private:
    const CLoeschaufschub aufschub;
};

// The geometry of every page in device pixels.
struct Seitenbild
{
    QRectF koerper;
    // Baseline of the footer line; no footer when `mit_fuss` is clear.
    qreal fuss_y = 0;
    qreal fuss_links = 0;
    qreal fuss_rechts = 0;
    bool mit_fuss = false;
};

qreal in_pixel(qreal millimeter, int dpi)
{
    return millimeter / 25.4 * dpi;
}

QMarginsF minimale_raender_mm(const QPrinter& drucker)
{
    QPageLayout layout = drucker.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    return layout.minimumMargins();
}

Seitenbild vermesse_seite(QPrinter& drucker, const QPaintDevice& geraet, const Druckeinrichtung& einrichtung,
                          const QFontMetricsF& fussmetrik)
{
    const int dpi_x = geraet.logicalDpiX();
    const int dpi_y = geraet.logicalDpiY();
    const QMarginsF& mm = einrichtung.raender_mm;
    const qreal links = in_pixel(mm.left(), dpi_x);
    const qreal rechts = in_pixel(mm.right(), dpi_x);
    const qreal oben = in_pixel(mm.top(), dpi_y);
    const qreal unten = in_pixel(mm.bottom(), dpi_y);
    const QMarginsF minimum = minimale_raender_mm(drucker);
    // Full-page mode: the device's origin is the paper's corner.
    const QRectF papier(QPointF(0, 0), drucker.paperRect(QPrinter::DevicePixel).size());

    Seitenbild bild;
    if (!einrichtung.zugeordnet) {
        bild.koerper = QRectF(links, oben, geraet.width() - links - rechts, geraet.height() - oben - unten);
    } else {
        QPointF ecke(0, 0);
        if (einrichtung.versatz) {
            const QRectF seite = drucker.pageRect(QPrinter::DevicePixel);
            ecke = QPointF(links - in_pixel(minimum.left(), dpi_x) - seite.x(),
                           oben - in_pixel(minimum.top(), dpi_y) - seite.y());
        }
        bild.koerper = QRectF(ecke, QSizeF(papier.width() - links - rechts, papier.height() - oben - unten));
    }

    // Measured from the body's top: below the body, above the printer's unprintable strip.
    const qreal minimum_unten = in_pixel(minimum.bottom(), dpi_y);
    qreal fuss = minimum_unten > 0 ? bild.koerper.height() + oben - minimum_unten : geraet.height() - oben;
    fuss -= fussmetrik.height();
    bild.mit_fuss = fuss > 0;
    // The footer line must stay on the paper, above the strip the printer cannot reach, whatever
    // the margins say, descenders included: a small minimum bottom margin would push it off.
    bild.fuss_y = qBound(papier.top() + fussmetrik.ascent(), bild.koerper.top() + fuss,
                         papier.bottom() - minimum_unten - fussmetrik.descent());
    bild.fuss_links = qBound(papier.left(), bild.koerper.left(), papier.right());
    bild.fuss_rechts = qBound(papier.left(), bild.koerper.right(), papier.right());
    // A footer line kept on the paper may reach into the body: the body then ends above it, or
    // the footer would be written over the page's last line.
    const qreal fuss_oben = bild.fuss_y - fussmetrik.ascent();
    if (bild.mit_fuss && fuss_oben > bild.koerper.top() && fuss_oben < bild.koerper.bottom())
        bild.koerper.setBottom(fuss_oben);
    return bild;
}

void drucke_seite(QPainter& maler, const CDruckseiten& seiten, int seite, const Seitenbild& bild, const QString& titel,
                  const QFont& fussschrift)
{
    seiten.zeichne(maler, seite, bild.koerper);
    if (!bild.mit_fuss)
        return;
    maler.save();
    maler.setClipping(false);
    maler.setFont(fussschrift);
    const QFontMetricsF metrik(fussschrift, maler.device());
    const QString nummer = QString::number(seite);
    const qreal breite = metrik.horizontalAdvance(nummer);
    // The title gives way to the number: on narrow paper it is cut short, never written over it.
    const qreal platz = bild.fuss_rechts - breite - metrik.horizontalAdvance(QLatin1Char(' ')) - bild.fuss_links;
    if (!titel.isEmpty() && platz > 0)
        maler.drawText(QPointF(bild.fuss_links, bild.fuss_y), metrik.elidedText(titel, Qt::ElideRight, platz));
    maler.drawText(QPointF(bild.fuss_rechts - breite, bild.fuss_y), nummer);
    maler.restore();
}

// Draws the chosen pages in the order and with the copies the printer asks for, telling the
// share done; false when the printer stopped the run or the work was cancelled (then the
// printer is stopped).
bool drucke_seiten(QPainter& maler, QPrinter& drucker, const CDruckseiten& seiten, const Seitenbild& bild,
                   const QString& titel, const QFont& fussschrift, CHintergrund& arbeit)
{
    const QVector<int> folge = gib_druckfolge(drucker, seiten.anzahl());
    for (int i = 0; i < folge.size(); ++i) {
        if (arbeit.abgebrochen())
            drucker.abort();
        if (ist_gestoppt(drucker))
            return false;
        if (i > 0)
            drucker.newPage();
        drucke_seite(maler, seiten, folge[i], bild, titel, fussschrift);
        arbeit.melde_anteil(static_cast<int>(qint64(i + 1) * 1000 / folge.size()));
    }
    return !ist_gestoppt(drucker);
}

// What a print on its own thread hands back.
struct Druckergebnis
{
    // Why the document cannot be printed whole; nothing was written then.
    QString nicht_druckbar;
    // Why the printer's output failed, when it did.
    QString fehler;
    bool geschrieben = false;
    bool gedruckt = false;
    bool abgebrochen = false;
};

// Lays the document out and draws its pages, on the printing thread.
void drucke_dort(QTextDocument& dokument, QPrinter& drucker, const Seitenbild& bild, const QString& titel,
                 const QFont& fussschrift, CHintergrund& arbeit, Druckergebnis& ergebnis)
{
    // Laid out before the printer writes anything: a document that cannot be printed whole is
    // refused with its reason and leaves no file.
    const CDruckseiten seiten(dokument, drucker, bild.koerper.size());
    if (!seiten.gib_fehler().isEmpty()) {
        ergebnis.nicht_druckbar = seiten.gib_fehler();
        return;
    }
    // A PDF file is written beside its target: the old file stays until the new one is whole.
    CPdfAusgabe ausgabe(drucker);
    QPainter maler;
    if (!maler.begin(&drucker)) {
        (void)ausgabe.beende(false);
        return;
    }
    ergebnis.gedruckt = drucke_seiten(maler, drucker, seiten, bild, titel, fussschrift, arbeit);
    ergebnis.abgebrochen = arbeit.abgebrochen();
    const bool beendet = maler.end();
    ergebnis.fehler = ausgabe.beende(beendet && drucker.printerState() != QPrinter::Error && !ergebnis.abgebrochen);
    ergebnis.geschrieben = ergebnis.fehler.isEmpty() && beendet && drucker.printerState() != QPrinter::Error;
}

// The body holds one line of the document's font, and the footer has its line on the paper.
bool passt_aufs_papier(const Seitenbild& bild, const QFontMetricsF& zeile)
{
    return bild.mit_fuss && CDruckseiten::fasst_eine_zeile(bild.koerper.size(), zeile);
}

// The missing default printer is reported in the log and in a warning box.
void melde_fehlenden_drucker(QWidget* eltern, const CQString& meldung)
{
    CQCat::gib_instanz()->error(meldung);
    frage_mit_knoepfen(eltern, QMessageBox::Warning, gib_meldungstitel(), meldung, {Text::tr("Ok")}, 0, 0);
}

void drucke(QTextDocument* dokument, QPrinter& drucker, bool schlicht, const CQString& titel,
            const Druckeinrichtung& einrichtung)
{
    if (!schlicht) {
        drucke_auf_drucker(dokument, drucker, titel, einrichtung);
        return;
    }
    CPdfAusgabe ausgabe(drucker);
    dokument->print(&drucker);
    const QString fehler = ausgabe.beende(drucker.printerState() != QPrinter::Error);
    if (!fehler.isEmpty() || drucker.printerState() == QPrinter::Error)
        melde_druckfehler(drucker, fehler);
}

// What a save writes, made on the saving thread.
using Inhalt = std::function<QString(CHintergrund& arbeit)>;

// The document a text gives appended to a new text browser, as `QTextEdit::append` appends it:
// HTML when it may be rich text, else plain text; in the browser's font.
std::unique_ptr<QTextDocument> wie_angehaengt(const QString& text, const QFont& schrift)
{
    auto dokument = std::make_unique<QTextDocument>();
    dokument->setUndoRedoEnabled(false);
    dokument->setDefaultFont(schrift);
    QTextCursor schreiber(dokument.get());
    if (Qt::mightBeRichText(text))
        schreiber.insertHtml(text);
    else
        schreiber.insertText(text);
    return dokument;
}

// False with the system's reason in `grund` (a full disk) when the text could not be written.
bool schreibe_text(const QString& text, const QString& datei, QString& grund)
{
    CQIODatei ausgabe{CQString(datei)};
    if (ausgabe.oeffne(false, true, true, false, true)) {
        ausgabe.setze_codec(true);
        ausgabe.schreibe_zeile(CQString(text));
        if (ausgabe.schliesse())
            return true;
    }
    grund = ausgabe.gib_fehlertext();
    return false;
}

// Writes what `inhalt` makes into `datei`, as text or as a PDF of it, on a thread of its own.
void schreibe_beiseite(const Inhalt& inhalt, const QString& datei, bool als_pdf)
{
    if (als_pdf) {
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        const QFont schrift = QTextBrowser().document()->defaultFont();
        const Druckvorlage vorlage = [inhalt, schrift](CHintergrund& arbeit, qreal, QString&) {
            return wie_angehaengt(inhalt(arbeit), schrift);
        };
        // Laid out and paged as on every print road (QTextEdit::print would add margins of its
        // own); a file that could not be written is reported there.
        drucke_auf_drucker(vorlage, schrift, drucker, CQString(), Druckeinrichtung());
        return;
    }
    bool geschrieben = false;
    bool abgebrochen = false;
    const QString fehler = CHintergrund::fuehre_aus(gib_hauptfenster(), Text::tr("Speichern ..."), [&](CHintergrund& arbeit) {
        const QString text = inhalt(arbeit);
        abgebrochen = arbeit.abgebrochen();
        QString grund;
        geschrieben = !abgebrochen && schreibe_text(text, datei, grund);
        return grund;
    });
    if (abgebrochen)
        melde_speichern_abgebrochen(datei);
    else if (!geschrieben)
        melde_schreibfehler(datei, fehler);
}

// A slice of work on the GUI thread between two turns of its event loop.
constexpr qint64 scheibe_ms = 10;

// Why a copy has no end: said where the print or save it was for is reported.
QString kopie_verloren()
{
    return Text::tr("Das Fenster wurde geschlossen oder sein Text geändert, bevor er ganz kopiert war.");
}

// Copies the document a slice at a time while the window answers (`CStueckkopie`), with the
// wait's dialog titled `titel`. Null when the user cancelled; null with `verloren` set when the
// document went or changed before the copy was whole.
std::shared_ptr<CStueckkopie::Kopie> kopiere_beiseite(QTextDocument& dokument, const QString& titel, bool& verloren)
{
    CStueckkopie kopie(dokument);
    bool fertig = kopie.kopiere(scheibe_ms * 1000000);
    CHintergrund::Ende ende = CHintergrund::Ende::fertig;
    if (!fertig) {
        QTimer takt;
        QObject::connect(&takt, &QTimer::timeout, [&] { fertig = kopie.kopiere(scheibe_ms * 1000000); });
        takt.start(0);
        ende = CHintergrund::warte(gib_hauptfenster(), titel, &dokument, [&] { return fertig; }, [&] { return kopie.anteil(); });
    }
    std::shared_ptr<CStueckkopie::Kopie> ganz = ende == CHintergrund::Ende::abgebrochen ? nullptr : kopie.nimm();
    verloren = !ganz && ende != CHintergrund::Ende::abgebrochen;
    return ganz;
}

QString frage_speicherziel(const CQString& filter, const CQString& typ, const QObject* quelle)
{
    const QPointer<const QObject> quelle_da(quelle);
    const auto noch_da = [&] { return !quelle || quelle_da; };
    const QString dateifilter = filter.isEmpty() ? Text::tr("Text-Datei (*.txt)") : QString(filter);
    const QString dateityp = typ.isEmpty() ? QStringLiteral("txt") : QString(typ);
    QWidget* const hauptfenster = gib_hauptfenster();
    QString datei = frage_dateiname_speichern(hauptfenster, Text::tr("Speichern unter"),
                                              gib_eigene_dateien().absolutePath(), dateifilter, QFileDialog::Options());
    if (datei.isEmpty() || !noch_da())
        return QString();
    // A name that carries the type's suffix in any case was already confirmed by the dialog.
    if (QFileInfo(datei).suffix().compare(dateityp, Qt::CaseInsensitive) != 0) {
        datei += QLatin1Char('.') + dateityp;
        if (QFile::exists(datei) && (!frage_ueberschreiben(hauptfenster, gib_meldungstitel(), datei) || !noch_da()))
            return QString();
    }
    return datei;
}

} // namespace

void melde_speichern_abgebrochen(const QString& datei)
{
    CQCat::gib_instanz()->info(
        CQString(datei.isEmpty() ? Text::tr("Speichern abgebrochen: nichts wurde geschrieben.")
                                 : Text::tr("Speichern abgebrochen: '%1' wurde nicht geschrieben.").arg(datei)));
}

void melde_nicht_druckbar(const QString& grund)
{
    CQCat::gib_instanz()->error(CQString(grund));
    frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), grund, {Text::tr("Ok")}, 0, 0);
}

void melde_papier_zu_klein(const QPrinter& drucker)
{
    melde_nicht_druckbar(Text::tr("Das Papier '%1' ist zu klein für eine Zeile und die Fußzeile: es wurde nichts gedruckt.")
                             .arg(drucker.pageLayout().pageSize().name()));
}

QPrinter* zugeordneter_drucker(CDruckerzuordnung& zuordnung, QWidget* eltern)
{
    CQString meldung;
    QPrinter* drucker = zuordnung.gib_standarddrucker(meldung, false);
    if (drucker)
        return drucker;
    melde_fehlenden_drucker(eltern, meldung);
    if (zuordnung.richte_seite_ein() != 1)
        return nullptr;
    drucker = zuordnung.gib_standarddrucker(meldung, false);
    if (!drucker)
        melde_fehlenden_drucker(eltern, meldung);
    return drucker;
}

bool drucke_auf_drucker(QTextDocument* dokument, QPrinter& drucker, const CQString& titel,
                        const Druckeinrichtung& einrichtung)
{
    // The printer takes its document name only while it is not printing yet.
    const QString name = dokument->metaInformation(QTextDocument::DocumentTitle);
    if (!name.isEmpty())
        drucker.setDocName(name);
    // Taken before the events run while the document is copied: its window may go then.
    const QFont schrift = dokument->defaultFont();
    bool verloren = false;
    const std::shared_ptr<CStueckkopie::Kopie> kopie = kopiere_beiseite(*dokument, Text::tr("Drucken ..."), verloren);
    if (!kopie) {
        if (verloren)
            melde_nicht_druckbar(kopie_verloren() + QLatin1Char(' ') + Text::tr("Es wurde nichts gedruckt."));
        else
            melde_druck_abgebrochen(drucker);
        return false;
    }
    const Druckvorlage vorlage = [kopie](CHintergrund&, qreal, QString&) { return kopie->uebernimm(); };
    return drucke_auf_drucker(vorlage, schrift, drucker, titel, einrichtung);
}

bool drucke_auf_drucker(const Druckvorlage& vorlage, const QFont& fussschrift, QPrinter& drucker,
                        const CQString& titel, const Druckeinrichtung& einrichtung)
{
    drucker.setFullPage(true);
    // Measured on the printer before it writes anything: paper too small leaves no empty file.
    const QFontMetricsF metrik(fussschrift, &drucker);
    const Seitenbild bild = vermesse_seite(drucker, drucker, einrichtung, metrik);
    if (!passt_aufs_papier(bild, metrik)) {
        melde_papier_zu_klein(drucker);
        return false;
    }
    // The width the document is laid out at: the page's, at the screen's resolution.
    const qreal breite = bild.koerper.width() * qt_defaultDpiX() / drucker.logicalDpiX();
    const WarteCursor cursor;
    Druckergebnis ergebnis;
    const QString fehler = CHintergrund::fuehre_aus(gib_hauptfenster(), Text::tr("Drucken ..."), [&](CHintergrund& arbeit) {
        QString grund;
        arbeit.setze_abschnitt(0, 300);
        const std::unique_ptr<QTextDocument> dokument = vorlage(arbeit, breite, grund);
        // Cancelled while the document was made: no failure, whatever the making left behind.
        ergebnis.abgebrochen = arbeit.abgebrochen();
        if (!dokument || ergebnis.abgebrochen)
            return ergebnis.abgebrochen ? QString() : grund;
        const QString name = dokument->metaInformation(QTextDocument::DocumentTitle);
        if (!name.isEmpty())
            drucker.setDocName(name);
        arbeit.setze_abschnitt(300, 1000);
        drucke_dort(*dokument, drucker, bild, titel, fussschrift, arbeit, ergebnis);
        return QString();
    });
    if (ergebnis.abgebrochen) {
        melde_druck_abgebrochen(drucker);
        return false;
    }
    if (!fehler.isEmpty() || !ergebnis.nicht_druckbar.isEmpty()) {
        melde_nicht_druckbar(fehler.isEmpty() ? ergebnis.nicht_druckbar : fehler);
        return false;
    }
    if (!ergebnis.geschrieben) {
        melde_druckfehler(drucker, ergebnis.fehler);
        return false;
    }
    return ergebnis.gedruckt;
}

void drucke_protokoll(QTextDocument* dokument, QWidget* eltern, bool schlicht, const CQString& titel, int* druckart)
{
    // A document without text still counts one line; it would print a blank page.
    if (!dokument || dokument->isEmpty()) {
        fehler_ton();
        return;
    }
    // The dialogs below let the event loop run: a log window whose worker ends meanwhile may
    // close and delete itself, its document with it. Then the print ends without a word.
    const QPointer<QTextDocument> dokument_da(dokument);
    const QPointer<QWidget> eltern_da(eltern);
    const auto noch_da = [&] { return dokument_da && (!eltern || eltern_da); };

    const int zeilen = dokument->lineCount();
    CQString kopf = eltern ? CQString(eltern->windowTitle()) : CQString();
    if (!titel.isEmpty())
        kopf = titel;
    if (zeilen > ohne_frage_bis) {
        const QString frage = Text::tr("Die Ausgabe enthält %1 Zeilen !").arg(zeilen) + QLatin1Char('\n')
                              + Text::tr("Wirklich drucken ?");
        if (!frage_ja_nein(eltern, gib_meldungstitel(), frage) || !noch_da())
            return;
    }

    CAmisc* const amisc = druckart && *druckart == 1 ? CAmisc::instanz(true) : nullptr;
    CDruckerzuordnung* const zuordnung = amisc ? amisc->gib_druckerzuordnung() : nullptr;
    if (zuordnung) {
        QPrinter* const drucker = zugeordneter_drucker(*zuordnung, eltern);
        if (!noch_da() || !drucker || !zuordnung->setze_pdf_ausgabedatei(drucker, eltern) || !noch_da())
            return;
        QString beschreibung;
        zuordnung->gib_druckerbeschreibung(beschreibung, drucker, true);
        CQCat::gib_instanz()->info(CQString(beschreibung));
        Druckeinrichtung einrichtung;
        einrichtung.zugeordnet = true;
        einrichtung.versatz = zuordnung->mit_druckerversatz(drucker);
        einrichtung.raender_mm = zuordnung->gib_seitenraender(drucker);
        drucke(dokument, *drucker, schlicht, kopf, einrichtung);
        return;
    }
    const std::unique_ptr<QPrinter> drucker = waehle_drucker(eltern);
    if (drucker && noch_da())
        drucke(dokument, *drucker, schlicht, kopf, Druckeinrichtung());
}

bool trage_nach(const Nachtrag& nachtrag, const QObject* kontext, const QString& titel)
{
    if (!nachtrag)
        return true;
    int anteil = nachtrag(scheibe_ms);
    if (anteil >= 1000)
        return true;
    QTimer takt;
    QObject::connect(&takt, &QTimer::timeout, [&] { anteil = nachtrag(scheibe_ms); });
    takt.start(0);
    return CHintergrund::warte(gib_hauptfenster(), titel, kontext, [&] { return anteil >= 1000; },
                               [&] { return anteil; })
           == CHintergrund::Ende::fertig;
}

void speichere_als(CCBaseLog* log, int art, const CQString& typ, const CQString& filter)
{
    QTextEdit* const bereich = log ? log->gib_textbereich() : nullptr;
    if (!bereich)
        return;
    // Taken before any event runs: the window, whose fields they may be, may go then.
    QString dateityp = typ.isEmpty() ? log->gib_dateityp() : typ;
    QString dateifilter = filter.isEmpty() ? log->gib_dateifilter() : filter;
    const QPointer<QTextEdit> bereich_da(bereich);
    if (!trage_nach(log->nachtrag(), bereich, Text::tr("Speichern ..."))) {
        // Cancelled before a file was chosen; a window that went says nothing.
        if (bereich_da)
            melde_speichern_abgebrochen(QString());
        return;
    }
    if (!bereich_da)
        return;
    if (bereich->document()->isEmpty()) {
        fehler_ton();
        return;
    }

    struct Format
    {
        int art;
        const char* typ;
        const char* filter;
    };
    static const Format formate[] = {{0, "txt", QT_TRANSLATE_NOOP("QObject", "Text-Datei (*.%1)")},
                                     {1, "html", QT_TRANSLATE_NOOP("QObject", "HTML-Datei (*.%1)")},
                                     {2, "pdf", QT_TRANSLATE_NOOP("QObject", "PDF-Datei (*.%1)")}};
    for (const Format& format : formate) {
        if (format.art == art && dateityp != QLatin1String(format.typ)) {
            dateityp = QLatin1String(format.typ);
            dateifilter = Text::tr(format.filter).arg(dateityp);
        }
    }
    // A save without a chosen format follows the window's type: a PDF type must give a PDF file,
    // not text under a ".pdf" name.
    int dateiart = art;
    if (art < 0 || art > 2)
        dateiart = dateityp == QLatin1String("pdf") ? 2 : 0;

    const bool als_html = (dateityp == QLatin1String("html") || dateityp == QLatin1String("pdf")) && log->gib_richtext();
    speichere_dokument(*bereich->document(), als_html, CQString(dateifilter), CQString(dateityp), &dateiart,
                       log->gib_besitzer());
}

void speichere_text_datei(const CQString& text, const CQString& filter, const CQString& typ, int* art,
                          const QObject* quelle)
{
    const bool als_pdf = art && *art == 2;
    const QString datei = frage_speicherziel(filter, typ, quelle);
    if (datei.isEmpty())
        return;
    const QString inhalt = text;
    schreibe_beiseite([inhalt](CHintergrund&) { return inhalt; }, datei, als_pdf);
}

void speichere_dokument(QTextDocument& dokument, bool als_html, const CQString& filter, const CQString& typ,
                        int* art, const QObject* quelle)
{
    const bool als_pdf = art && *art == 2;
    const QPointer<QTextDocument> dokument_da(&dokument);
    const QString datei = frage_speicherziel(filter, typ, quelle);
    if (datei.isEmpty() || !dokument_da)
        return;
    bool verloren = false;
    const std::shared_ptr<CStueckkopie::Kopie> kopie = kopiere_beiseite(dokument, Text::tr("Speichern ..."), verloren);
    if (!kopie) {
        if (verloren)
            melde_schreibfehler(datei, kopie_verloren());
        else
            melde_speichern_abgebrochen(datei);
        return;
    }
    schreibe_beiseite(
        [kopie, als_html](CHintergrund&) {
            // The HTML says what it is written in (UTF-8), or a reader takes it for Latin-1.
            const std::unique_ptr<QTextDocument> text = kopie->uebernimm();
            return als_html ? text->toHtml(QByteArrayLiteral("utf-8")) : text->toPlainText();
        },
        datei, als_pdf);
}
