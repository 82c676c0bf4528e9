#include "cgbrowserweb.h"
#include "berichthtml.h"
#include "bedienhilfe.h"
#include "berichtslink.h"
#include "berichtsordnerwache.h"
#include "camisc.h"
#include "ccat.h"
#include "plattform.h"
#include "cprinter.h"
#include "cseiteeinrichtenwidget.h"
#include "dateien.h"
#include "ctextedit.h"
#include "dialogseam.h"
#include "gui.h"
#include "mauswache.h"
#include "protokolldruck.h"
#include "seitenpdf.h"
#include "steuerzeichen.h"
#include "wegweiserseite.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTimer>
#include <QTextEdit>
#include <QWebEngineContextMenuData>
#include <QWebEngineHistory>
#include <QWebEnginePage>

namespace {

CGBrowserWeb::RenderWaechter& renderwaechter()
{
    static CGBrowserWeb::RenderWaechter waechter;
    return waechter;
}

bool schreibe_daten(QFile& datei, const QByteArray& daten)
{
    return datei.write(daten) == daten.size() && datei.flush();
}

// The PDF data replace `datei` once written whole; a failure is logged with its reason.
bool schreibe_pdf_datei(const QString& datei, const QByteArray& daten)
{
    const QString fehler = schreibe_ganz(datei, daten);
    if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(CQString(ausgabedatei_fehler(datei, fehler)));
    return fehler.isEmpty();
}

// The temporary PDFs of this run go when the program ends: a viewer started on one may read it
// until then.
void merke_temporaere_datei(const QString& datei)
{
    static QStringList* dateien = nullptr;
    if (!dateien) {
        dateien = new QStringList;
        qAddPostRoutine([] {
            for (const QString& d : qAsConst(*dateien))
                QFile::remove(d);
        });
    }
    dateien->append(datei);
}

// Why a load of `adresse` failed: the engine's error code, which its error page names, or the
// server's answer it names instead (an empty answer of "404 Not Found" has no code of its own).
QString ladefehler_text(const QString& adresse, const QString& fehlerseite)
{
    static const QRegularExpression code(QStringLiteral("\\bERR_[A-Z0-9_]+\\b|\\bHTTP ERROR \\d{3}\\b"));
    const QString grund = code.match(fehlerseite).captured(0);
    const QString text = CGBrowserWeb::tr("Die Seite '%1' konnte nicht geladen werden.").arg(maskiere_steuerzeichen(adresse));
    return grund.isEmpty() ? text : text + QLatin1Char(' ') + grund;
}

} // namespace

void CGBrowserWeb::setze_renderwaechter(RenderWaechter waechter)
{
    renderwaechter() = std::move(waechter);
}

QPageLayout CGBrowserWeb::pdf_layout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

CGBrowserWeb::CGBrowserWeb(QWidget* eltern) : QWebEngineView(eltern), lebt(std::make_shared<bool>(true))
{
    // The page goes with the view, and decides nothing once the view is going.
    seite = new WegweiserSeite(
        [this, zeichen = lebt](const QUrl& adresse, QWebEnginePage::NavigationType art, bool hauptrahmen) {
            return *zeichen && darf_navigieren(adresse, art, hauptrahmen);
        },
        this);
    setPage(seite);
    verlasse_per_strg_tab(this);
    // Connected here once: a second connection would deliver every load twice, and start a
    // pending print twice.
    connect(this, &QWebEngineView::loadProgress, this, &CGBrowserWeb::setProgress);
    connect(this, &QWebEngineView::loadStarted, this, &CGBrowserWeb::beginne_ladung);
    connect(this, &QWebEngineView::loadFinished, this, &CGBrowserWeb::loadFinished);
    connect(this, &QWebEngineView::urlChanged, this, &CGBrowserWeb::urlChangedSlot);
    connect(seite, &QWebEnginePage::linkHovered, this, &CGBrowserWeb::linkHovered);
    connect(seite, &QWebEnginePage::linkHovered, this, [this](const QString& link) { zeiger_link = link; });
    // What a page shows may be saved, printed or mailed: besides what every page of the program
    // keeps to (its scripts read no local file), it loads none from outside the report's folder,
    // not even into a frame.
    ordnerwache = new Berichtsordnerwache(seite);
    seite->setUrlRequestInterceptor(ordnerwache);
    new Mauswache(
        this, [this](const QMouseEvent& e) { merke_druck(e); }, [this](const QMouseEvent& e) { nach_loslassen(e, true); });
    if (renderwaechter())
        renderwaechter()(this);
}

CGBrowserWeb::~CGBrowserWeb()
{
    // The engine answers callbacks still pending with empty data while it takes the page down.
    *lebt = false;
    // A print the page was making its data for is given up (and the test print it belonged to).
    if (druckauftrag)
        beende_auftrag(true);
}

template <typename T>
std::function<void(const T&)> CGBrowserWeb::rueckruf(void (CGBrowserWeb::*slot)(const T&))
{
    const std::shared_ptr<bool> zeichen = lebt;
    return [this, zeichen, slot](const T& wert) {
        if (*zeichen)
            (this->*slot)(wert);
    };
}

void CGBrowserWeb::zeige_quelle(const CQString& text)
{
    quelle = text;
    sprung_abgewiesen = false;
    if (text.isEmpty())
        return;
    const bool mit_abfrage = text.contains(QLatin1Char('?')) || text.contains(QLatin1Char('&'));
    // A name relative to the current folder is a file there, not a web host.
    const QUrl adresse = !text.startsWith(QLatin1String("file:")) || mit_abfrage
                             ? QUrl::fromUserInput(text, QDir::currentPath(), QUrl::AssumeLocalFile)
                             : QUrl(text);
    if (adresse.isLocalFile())
        quelle = CQString(lokaler_pfad(adresse));
    // The engine tells of a load only later, and not at all of one within the page shown (to an
    // anchor).
    if (!adresse.hasFragment() || adresse.adjusted(QUrl::RemoveFragment) != url().adjusted(QUrl::RemoveFragment))
        beginne_ladung();
    gespeicherte_url = adresse;
    load(adresse);
    setFocus(Qt::OtherFocusReason);
}

void CGBrowserWeb::leere()
{
    zeige_quelle(CQString());
    beginne_ladung();
    seiten_html.clear();
    setHtml(QString());
}

void CGBrowserWeb::erlaube_ordner(const QString& ordner)
{
    ordnerwache->erlaube_ordner(ordner);
}

QUrl CGBrowserWeb::url() const
{
    const QUrl adresse = QWebEngineView::url();
    return adresse.isEmpty() ? gespeicherte_url : adresse;
}

CQString CGBrowserWeb::gib_html() const
{
    return CQString(seiten_html);
}

CQString CGBrowserWeb::gib_text() const
{
    QTextEdit text;
    text.setReadOnly(true);
    text.setHtml(seiten_html);
    return CQString(text.toPlainText());
}

CQString CGBrowserWeb::gib_ausgabedatei() const
{
    return ausgabedatei;
}

void CGBrowserWeb::setProgress(int p)
{
    fortschritt = p;
    emit loadProgressSignal(p);
}

void CGBrowserWeb::loadFinished(bool ok)
{
    // A jump refused while the page loaded ends its load as failed; what the page shows is the
    // report all the same.
    const bool gescheitert = !ok && !sprung_abgewiesen;
    const QString adresse = url().toString();
    if (ok && fortschritt != 100)
        CQCat::gib_instanz()->warn(CQString(QStringLiteral("Received finished signal while progress is still: %1 Url: %2")
                                                .arg(fortschritt)
                                                .arg(url().toString())));
    fortschritt = 0;
    emit backwardAvailable(history()->canGoBack());
    emit forwardAvailable(history()->canGoForward());
    emit homeAvailable(lokaler_pfad(url()).compare(quelle, Qt::CaseInsensitive) != 0);
    // As `rueckruf` does, and not the HTML of a page emptied or loading again since.
    seite->toHtml([this, zeichen = lebt, nummer = ladung, gescheitert, adresse](const QString& html) {
        if (!*zeichen || nummer != ladung)
            return;
        if (gescheitert) {
            // The engine's error page, which names the reason.
            seiten_html.clear();
            ladefehler = ladefehler_text(adresse, html);
            ladend = false;
            return;
        }
        loadHTML(html);
        // A render process that went answers with nothing: no page to save yet.
        ladend = html.isEmpty();
    });
    if (druck_ausstehend) {
        druck_ausstehend = false;
        // Not within the engine's signal: the print waits for its data while the events run.
        if (!gescheitert)
            QTimer::singleShot(0, this, &CGBrowserWeb::drucke);
        else if (auto* einrichtung = dynamic_cast<CSeiteEinrichtenWidget*>(zuordnung()))
            einrichtung->testdruck_fehlgeschlagen(ladefehler_text(adresse, QString()));
    }
}

void CGBrowserWeb::beginne_ladung()
{
    ++ladung;
    ladend = true;
    ladefehler.clear();
}

void CGBrowserWeb::loadHTML(const QString& html)
{
    seiten_html = html;
}

void CGBrowserWeb::urlChangedSlot(const QUrl&) {}

void CGBrowserWeb::lade_zum_drucken(const CQString& quelle_, const CQString& datei, const CQString& zweiter)
{
    connect(this, &QWebEngineView::loadFinished, this, &CGBrowserWeb::printLoadFinishedSlot, Qt::UniqueConnection);
    ausgabedatei = datei;
    zweiter_name = zweiter;
    zeige_quelle(quelle_);
}

void CGBrowserWeb::printLoadFinishedSlot(bool ok)
{
    // One PDF per request: later loads of the page print nothing.
    disconnect(this, &QWebEngineView::loadFinished, this, &CGBrowserWeb::printLoadFinishedSlot);
    // A jump refused while the page loaded ends its load as failed; what the page shows is the
    // report all the same.
    if (!ok && !sprung_abgewiesen) {
        emit pdfFehlgeschlagen();
        return;
    }
    seite->toHtml(rueckruf(&CGBrowserWeb::slotloadHTML));
}

void CGBrowserWeb::slotloadHTML(const QString& html)
{
    seiten_html = html;
    // The second name is a mail's copy of the report: UTF-8, declared, like every such copy.
    // A file that cannot be written is said, with why, and passed over; the PDF still comes.
    QString grund;
    if (!zweiter_name.isEmpty() && !schreibe_berichtshtml(zweiter_name, deklariere_utf8(html), &grund))
        CQCat::gib_instanz()->error(CQString(ausgabedatei_fehler(zweiter_name, grund)));
    seite->printToPdf(rueckruf(&CGBrowserWeb::slotHandlePdfPrinted), pdf_layout());
}

void CGBrowserWeb::drucke_pdf(const CQString& datei, const bool& drucken_, const QPageLayout& layout)
{
    const QPointer<CGBrowserWeb> selbst(this);
    QString fehler;
    const QByteArray daten = mache_seitenpdf(seite, layout, this, tr("PDF wird erstellt ..."), fehler);
    if (!fehler.isEmpty())
        melde_bericht(drucken_ ? tr("Die Seite konnte nicht als PDF gezeigt werden.") + QLatin1Char(' ') + fehler
                               : ausgabedatei_fehler(datei, fehler));
    else if (daten.isEmpty() && !drucken_)
        melde_speichern_abgebrochen(datei);
    if (!selbst)
        return;
    drucken = drucken_;
    if (daten.isEmpty()) {
        emit pdfFehlgeschlagen();
        return;
    }
    // Saved: the file is written and nothing follows; only a PDF to show goes to the viewer.
    if (!drucken) {
        if (!schreibe_pdf_datei(datei, daten))
            emit pdfFehlgeschlagen();
        return;
    }
    slotHandlePdfPrinted(daten);
}

void CGBrowserWeb::slotHandlePdfPrinted(const QByteArray& daten)
{
    if (daten.isEmpty()) {
        emit pdfFehlgeschlagen();
        return;
    }
    bool geschrieben = false;
    if (drucken) {
        drucken = false;
        QTemporaryFile datei(QDir::tempPath() + QDir::separator() + QStringLiteral("tmp_Quorbel_XXXXXX.pdf"));
        datei.setAutoRemove(false);
        if (datei.open()) {
            ausgabedatei = CQString(datei.fileName());
            merke_temporaere_datei(datei.fileName());
            geschrieben = schreibe_daten(datei, daten);
        }
    } else {
        geschrieben = schreibe_pdf_datei(ausgabedatei, daten);
    }
    if (geschrieben)
        emit pdfFertig();
    else
        emit pdfFehlgeschlagen();
}

void CGBrowserWeb::setze_druckerzuordnung(CSeiteEinrichtenWidget* zuordnung_)
{
    eigene_zuordnung = zuordnung_;
}

CDruckerzuordnung* CGBrowserWeb::zuordnung() const
{
    if (eigene_zuordnung)
        return eigene_zuordnung;
    CAmisc* const amisc = CAmisc::instanz(true);
    return amisc->gib_druckerzuordnung();
}

void CGBrowserWeb::drucke()
{
    QWidget* const hauptfenster = gib_hauptfenster();
    if (druckauftrag) {
        frage_mit_knoepfen(hauptfenster, QMessageBox::Warning, gib_meldungstitel(),
                           tr("Es ist noch eine Druckausgabe aktiv.\n- Bitte warten -"), {tr("Ok")}, 0, 0);
        return;
    }
    // The page may go while a dialog is open; a job it began is then given up with it.
    const QPointer<CGBrowserWeb> selbst(this);
    CDruckerzuordnung* const zugeordnet = zuordnung();
    if (!zugeordnet) {
        // Without an assignment the print dialog chooses the printer.
        auto drucker = std::make_unique<CPrinter>(QPrinterInfo(), QPrinter::HighResolution);
        if (!frage_drucker(hauptfenster, *drucker) || !selbst)
            return;
        eigener_drucker = std::move(drucker);
        druckauftrag = eigener_drucker.get();
    } else {
        CQString meldung;
        CSeiteEinrichtenWidget* const einrichtung = dynamic_cast<CSeiteEinrichtenWidget*>(zugeordnet);
        CPrinter* drucker = einrichtung ? einrichtung->gib_testdrucker(meldung) : nullptr;
        if (!drucker)
            drucker = dynamic_cast<CPrinter*>(zugeordneter_drucker(*zugeordnet, hauptfenster));
        if (!drucker || !selbst)
            return;
        druckauftrag = drucker;
        const bool ausgabe = drucker->setze_pdf_ausgabedatei(hauptfenster);
        if (!selbst)
            return;
        if (!ausgabe) {
            beende_auftrag(true);
            return;
        }
        QString beschreibung;
        zugeordnet->gib_druckerbeschreibung(beschreibung, drucker, true);
        CQCat::gib_instanz()->info(CQString(beschreibung));
    }
    const QString name = druckauftrag->gib_druckername();
    // The print dialog's printer gets the page on its own paper.
    QString fehler;
    const QByteArray daten =
        mache_seitenpdf(seite, druckauftrag == eigener_drucker.get() ? druckauftrag->pageLayout() : pdf_layout(), this,
                        tr("Drucken ..."), fehler);
    if (!selbst) {
        melde_bericht(tr("Druck auf '%1' fehlgeschlagen.").arg(name) + QLatin1Char(' ') + fehler);
        return;
    }
    // Cancelled: nothing printed, nothing to say.
    if (daten.isEmpty() && fehler.isEmpty()) {
        beende_auftrag(true);
        return;
    }
    slotHandlePdfTmpPrinted(daten);
}

void CGBrowserWeb::slotHandlePdfTmpPrinted(const QByteArray& daten)
{
    if (!druckauftrag)
        return;
    if (daten.isEmpty()) {
        CQCat::gib_instanz()->error(
            CQString(tr("Druck auf '%1' fehlgeschlagen: keine Druckdaten.").arg(druckauftrag->gib_druckername())));
        beende_auftrag(true);
        return;
    }
    drucken = false;
    // A PDF file chosen in the print dialog keeps the page's text: the data go in as they are.
    const bool als_datei = druckauftrag == eigener_drucker.get() && druckauftrag->outputFormat() == QPrinter::PdfFormat
                           && !druckauftrag->outputFileName().isEmpty();
    slotHandlePagePrinted(als_datei ? druckauftrag->schreibe_pdf_datei(daten) : druckauftrag->drucke_pdf(daten));
}

void CGBrowserWeb::slotHandlePagePrinted(bool ok)
{
    CDruckerzuordnung* const zugeordnet = zuordnung();
    if (druckauftrag && !ok)
        CQCat::gib_instanz()->error(CQString(tr("Druck auf '%1' fehlgeschlagen.").arg(druckauftrag->gib_druckername())));
    if (druckauftrag && zugeordnet) {
        if (ok) {
            QString text;
            if (druckauftrag->ist_pdf_datei()) {
                text = tr("PDF erstellt: '%1'").arg(druckauftrag->gib_ausgabedatei());
            } else {
                QString beschreibung;
                zugeordnet->gib_druckerbeschreibung(beschreibung, druckauftrag, true);
                text = tr("Druckauftrag auf '%1' veranlasst.").arg(beschreibung);
            }
            frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Information, gib_meldungstitel(), text, {tr("Ok")}, 0, 0);
        }
        if (CSeiteEinrichtenWidget* const einrichtung = dynamic_cast<CSeiteEinrichtenWidget*>(zugeordnet)) {
            if (ok)
                einrichtung->testdruck_beendet();
            else
                einrichtung->testdruck_fehlgeschlagen();
        }
    }
    beende_auftrag(false);
}

void CGBrowserWeb::beende_auftrag(bool aufgegeben)
{
    auto* const einrichtung = dynamic_cast<CSeiteEinrichtenWidget*>(zuordnung());
    CQString meldung;
    if (aufgegeben && einrichtung && druckauftrag && einrichtung->gib_testdrucker(meldung) == druckauftrag)
        einrichtung->beende_testdruck();
    druckauftrag = nullptr;
    eigener_drucker.reset();
}

void CGBrowserWeb::contextMenuEvent(QContextMenuEvent* ereignis)
{
    auto* menue = new QMenu(this);
    connect(menue, &QMenu::aboutToHide, menue, &QObject::deleteLater);
    const QWebEngineContextMenuData& daten = seite->contextMenuData();
    if (daten.isValid() && daten.linkUrl().isValid()) {
        menue->addAction(seite->action(QWebEnginePage::OpenLinkInThisWindow));
        menue->addAction(seite->action(QWebEnginePage::CopyLinkToClipboard));
    } else if (daten.isValid() && !daten.selectedText().isEmpty()) {
        menue->addAction(seite->action(QWebEnginePage::Copy));
    } else {
        QAction* zurueck = menue->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), tr("Zurück"));
        connect(zurueck, &QAction::triggered, this, &QWebEngineView::back);
        zurueck->setEnabled(history()->canGoBack());
        QAction* vor = menue->addAction(QIcon::fromTheme(QStringLiteral("go-next")), tr("Vorwärts"));
        connect(vor, &QAction::triggered, this, &QWebEngineView::forward);
        vor->setEnabled(history()->canGoForward());
    }
    menue->popup(ereignis->globalPos());
}

void CGBrowserWeb::merke_druck(const QMouseEvent& ereignis)
{
    gedrueckte_knoepfe = static_cast<int>(ereignis.buttons());
    gedrueckte_tasten = static_cast<int>(ereignis.modifiers());
    geklickt = ereignis.button() == Qt::LeftButton && !zeiger_link.isEmpty() ? QUrl(zeiger_link) : QUrl();
}

bool CGBrowserWeb::darf_navigieren(const QUrl& adresse, QWebEnginePage::NavigationType art, bool hauptrahmen)
{
    // An address of a scheme the engine does not load itself is never accepted: it would go to
    // the desktop (a mail address goes to the URL opener instead).
    const bool laedt_selbst = WegweiserSeite::laedt_selbst(adresse);
    // A source the program sets (or the user types or drops in with the middle button), and the
    // page's history.
    const bool von_aussen = art == QWebEnginePage::NavigationTypeTyped
                            || art == QWebEnginePage::NavigationTypeBackForward
                            || art == QWebEnginePage::NavigationTypeReload;
    if (von_aussen && laedt_selbst)
        return true;
    // The user's click on the link under the mouse: the engine reports a script's jump as a
    // link clicked too.
    const bool geklickter_link = art == QWebEnginePage::NavigationTypeLinkClicked && hauptrahmen
                                 && !geklickt.isEmpty() && adresse == geklickt;
    if (von_aussen || geklickter_link) {
        geklickt.clear();
        return folge_link(adresse);
    }
    // What the page does by itself: a refresh, a script, a form, a redirect, a frame.
    if (!laedt_selbst) {
        sprung_abgewiesen = sprung_abgewiesen || hauptrahmen;
        CQCat::gib_instanz()->warn(CQString(
            tr("Sprung der Seite nicht gefolgt: '%1'").arg(maskiere_steuerzeichen(adresse.toString()))));
        return false;
    }
    if (hauptrahmen && adresse.isLocalFile()
        && !ordnerwache->erlaubt(lokaler_pfad(adresse), QUrl::fromLocalFile(quelle))) {
        sprung_abgewiesen = true;
        CQCat::gib_instanz()->warn(CQString(tr("Sprung der Seite auf lokale Datei ausserhalb des Berichtsordners "
                                               "nicht gefolgt: '%1'")
                                                .arg(maskiere_steuerzeichen(lokaler_pfad(adresse)))));
        return false;
    }
    return true;
}

bool CGBrowserWeb::folge_link(const QUrl& adresse)
{
    const QString text = adresse.toString();
    const Linkziel ziel = pruefe_berichtslink(text);
    switch (ziel.art) {
    case Linkart::Anker:
    case Linkart::Webadresse:
        return true;
    case Linkart::Seite:
        return !bericht_verweigert(ziel.datei);
    case Linkart::Mailadresse:
        CTextEdit::oeffne_url(CQString(text), false);
        return false;
    case Linkart::Dokument:
        oeffne_dokument(text, ziel.datei, "CGBrowserWeb");
        return false;
    case Linkart::Verweigert:
        break;
    }
    return false;
}

void CGBrowserWeb::nach_loslassen(const QMouseEvent& ereignis, bool auch_angenommen)
{
    if ((ereignis.isAccepted() && !auch_angenommen) || !(gedrueckte_knoepfe & Qt::MiddleButton))
        return;
    const QUrl adresse = Mauswache::auswahl_adresse();
    if (!adresse.isEmpty())
        setUrl(adresse);
}

void CGBrowserWeb::mousePressEvent(QMouseEvent* ereignis)
{
    merke_druck(*ereignis);
    QWebEngineView::mousePressEvent(ereignis);
}

void CGBrowserWeb::mouseReleaseEvent(QMouseEvent* ereignis)
{
    QWebEngineView::mouseReleaseEvent(ereignis);
    nach_loslassen(*ereignis, false);
}

void CGBrowserWeb::wheelEvent(QWheelEvent* ereignis)
{
    QWebEngineView::wheelEvent(ereignis);
}
