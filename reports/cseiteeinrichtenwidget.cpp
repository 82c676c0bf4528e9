#include "cseiteeinrichtenwidget.h"
#include "cgbrowserweb.h"
#include "seitendialog.h"
#include "ccat.h"
#include "dialogseam.h"
#include "gui.h"
#include "pdfausgabe.h"

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// Margins and minimum margins of a printer in millimetres, whatever unit its layout keeps: the
// platform's page dialog leaves points, the framework's own page dialog millimetres.
struct Raender
{
    QMarginsF raender;
    QMarginsF minimum;
};

Raender raender_mm(const QPrinter& drucker)
{
    QPageLayout layout = drucker.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    return {layout.margins(), layout.minimumMargins()};
}

QString zahl(qreal wert)
{
    return QString::number(wert, 'g', QLocale::FloatingPointShortest);
}

QString raendertext(const QMarginsF& raender)
{
    return QStringLiteral("Links: %1 Rechts: %2 Oben: %3 Unten: %4")
        .arg(zahl(raender.left()), zahl(raender.right()), zahl(raender.top()), zahl(raender.bottom()));
}

// A new printer for the one chosen in the print dialog. Only its identity is taken over, not the
// dialog's other settings; a printer that writes a file has no name, its file is its identity.
CPrinter* neuer_drucker(const QPrinter& gewaehlt)
{
    auto* drucker = new CPrinter(QPrinterInfo(gewaehlt), QPrinter::ScreenResolution);
    if (gewaehlt.printerName().isEmpty()) {
        drucker->setOutputFormat(gewaehlt.outputFormat());
        drucker->setOutputFileName(gewaehlt.outputFileName());
    }
    return drucker;
}

// Paints the page's text into the printable area; false when the printer could not be reached
// or its PDF file not written whole (the old file then stays): `grund` then says why, where the
// PDF file told it.
bool drucke_testseite(CPrinter& drucker, QTextDocument& seite, QString& grund)
{
    CPdfAusgabe ausgabe(drucker);
    QPainter maler;
    if (!maler.begin(&drucker)) {
        grund = ausgabe.beende(false);
        return false;
    }
    const QRectF flaeche(QPointF(0, 0), drucker.pageRect(QPrinter::DevicePixel).size());
    seite.documentLayout()->setPaintDevice(&drucker);
    seite.setPageSize(flaeche.size());
    seite.drawContents(&maler, flaeche);
    const bool beendet = maler.end() && drucker.printerState() != QPrinter::Error;
    grund = ausgabe.beende(beendet);
    return grund.isEmpty() && beendet;
}

} // namespace

struct CSeiteEinrichtenWidget::Formular
{
    QLabel* meldung = nullptr;
};

CSeiteEinrichtenWidget::CSeiteEinrichtenWidget(QWidget* eltern)
    : QDialog(eltern), eltern(eltern), formular(std::make_unique<Formular>())
{
    setWindowTitle(tr("Seite einrichten"));

    tabelle = new CQTableView(this, 12);
    tabelle->setObjectName(QStringLiteral("tabelle"));
    tabelle->setAccessibleName(tr("Drucker"));
    const QString titel[] = {tr("Drucker"),    tr("Standard"),    tr("Papier"),     tr("Ausrichtung"),
                             tr("Links"),      tr("Rechts"),      tr("Oben"),       tr("Unten"),
                             tr("Min. links"), tr("Min. rechts"), tr("Min. oben"), tr("Min. unten")};
    for (int spalte = 0; spalte < 12; ++spalte)
        tabelle->setzeSpaltentitel(spalte, CQString(titel[spalte]));
    connect(tabelle->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList zeilen = tabelle->selectionModel()->selectedRows();
        if (!zeilen.isEmpty())
            slot_tabrowSelected(zeilen.first().row());
    });

    formular->meldung = new QLabel(this);
    formular->meldung->setObjectName(QStringLiteral("meldung"));
    formular->meldung->setWordWrap(true);
    formular->meldung->hide();

    auto* knopfzeile = new QHBoxLayout;
    const auto knopf = [&](const char* name, const QString& text, void (CSeiteEinrichtenWidget::*slot)()) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QLatin1String(name));
        k->setAutoDefault(false);
        connect(k, &QPushButton::clicked, this, slot);
        knopfzeile->addWidget(k);
    };
    knopf("druckerHinzu", tr("Drucker hinzufügen..."), &CSeiteEinrichtenWidget::onChoosePrinterButtonClicked);
    knopf("pdfDateiHinzu", tr("PDF-Datei hinzufügen..."), &CSeiteEinrichtenWidget::slot_pdfDruckerHinzu);
    knopf("seiteEinrichten", tr("Seite einrichten..."), &CSeiteEinrichtenWidget::slot_configPrinter);
    knopf("alsStandard", tr("Als Standard"), &CSeiteEinrichtenWidget::slot_setzeDefault);
    knopf("entfernen", tr("Entfernen"), &CSeiteEinrichtenWidget::slot_deletePrinter);
    knopf("testseite", tr("Testseite drucken"), &CSeiteEinrichtenWidget::slot_druckeTestseite);

    auto* knoepfe = new QDialogButtonBox(this);
    knoepfe->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    knoepfe->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &CSeiteEinrichtenWidget::onChooseAcceptClicked);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &CSeiteEinrichtenWidget::onChooseRejectClicked);

    auto* aufbau = new QVBoxLayout(this);
    aufbau->addWidget(tabelle);
    aufbau->addWidget(formular->meldung);
    aufbau->addLayout(knopfzeile);
    aufbau->addWidget(knoepfe);
    resize(960, 320);
    zeige_druckertabelle();
}

CSeiteEinrichtenWidget::~CSeiteEinrichtenWidget()
{
    // The objects bundle must not keep handing out an assignment that is gone.
    CAmisc* const amisc = CAmisc::instanz(false);
    if (amisc && amisc->gib_druckerzuordnung() == this)
        amisc->setze_druckerzuordnung(nullptr);
    testdruck.reset();
    qDeleteAll(druckerliste);
}

CPrinter* CSeiteEinrichtenWidget::gib_standarddrucker(CQString& meldung, const bool& ohne_hinweis)
{
    if (standarddrucker)
        return standarddrucker;
    const QString titel = gib_meldungstitel();
    QString text = druckerliste.isEmpty() ? tr("Es sind keine %1-Drucker zugeordnet.").arg(titel)
                                          : tr("Es ist kein %1-Drucker als Standarddrucker zugeordnet.").arg(titel);
    if (!ohne_hinweis)
        text += QLatin1Char('\n') + tr("Siehe %1 Datei->Seite einrichten").arg(titel);
    meldung = CQString(text);
    return nullptr;
}

CPrinter* CSeiteEinrichtenWidget::gib_testdrucker(CQString& meldung)
{
    if (!testdruck)
        testdrucker = nullptr;
    if (!testdrucker)
        meldung = CQString(tr("Testdrucker nicht zugeordnet zugeordnet."));
    return testdrucker;
}

void CSeiteEinrichtenWidget::testdruck_beendet()
{
    if (!testdruck)
        return;
    const QString name = testdrucker ? testdrucker->gib_druckername() : QString();
    CQCat::gib_instanz()->info(CQString(tr("Testdruck auf Drucker '%1' erfolgt").arg(name)));
    beende_testdruck();
}

void CSeiteEinrichtenWidget::testdruck_fehlgeschlagen(const QString& grund)
{
    if (!testdruck)
        return;
    const QString name = testdrucker ? testdrucker->gib_druckername() : QString();
    QString text = tr("Testdruck auf Drucker '%1' fehlgeschlagen.").arg(name);
    if (!grund.isEmpty())
        text += QLatin1Char(' ') + grund;
    CQCat::gib_instanz()->error(CQString(text));
    frage_mit_knoepfen(this, QMessageBox::Warning, gib_meldungstitel(), text, {tr("Ok")}, 0, 0);
    beende_testdruck();
}

void CSeiteEinrichtenWidget::beende_testdruck()
{
    testdruck.reset();
    testdrucker = nullptr;
}

void CSeiteEinrichtenWidget::gib_druckerbeschreibung(QString& ergebnis, QPrinter* drucker, bool ohne_minimum)
{
    ergebnis = QStringLiteral("? kein Drucker zugeordnet ?");
    const CPrinter* const beschrieben = drucker ? dynamic_cast<CPrinter*>(drucker) : standarddrucker;
    if (!beschrieben)
        return;
    const QPageLayout layout = beschrieben->pageLayout();
    const Raender raender = raender_mm(*beschrieben);
    ergebnis = QStringLiteral("Drucker: '%1'").arg(beschrieben->gib_druckername());
    ergebnis += QStringLiteral(" %1, %2, Margins(%3)")
                    .arg(layout.pageSize().name(),
                         layout.orientation() == QPageLayout::Portrait ? tr("Hochformat") : tr("Querformat"),
                         raendertext(raender.raender));
    if (!ohne_minimum)
        ergebnis += QStringLiteral(" Minimum Margins(%1)").arg(raendertext(raender.minimum));
    if (beschrieben->ist_pdf_datei())
        ergebnis += QStringLiteral(" Ausgabedatei: %1").arg(beschrieben->gib_ausgabedatei());
}

CPrinter* CSeiteEinrichtenWidget::uebernimm_drucker(CPrinter* drucker)
{
    const QString name = drucker->gib_druckername();
    for (CPrinter* gelistet : qAsConst(druckerliste))
        if (gelistet->gib_druckername() == name)
            return gelistet;
    druckerliste.append(drucker);
    return nullptr;
}

bool CSeiteEinrichtenWidget::ist_systemstandarddrucker(const QString& name)
{
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    return !standard.isNull() && standard.printerName() == name;
}

void CSeiteEinrichtenWidget::zeige_druckertabelle()
{
    tabelle->loescheZeilen();
    spaltentypen.clear();
    for (int spalte = 4; spalte <= 7; ++spalte)
        spaltentypen.insert(spalte, QMetaType::Double);
    for (CPrinter* drucker : qAsConst(druckerliste)) {
        if (!drucker)
            continue;
        const QPageLayout layout = drucker->pageLayout();
        const Raender raender = raender_mm(*drucker);
        auto* zeile = new CQTableViewZeile(tabelle, &spaltentypen, false);
        const QString texte[] = {drucker->gib_druckername(),
                                 drucker->ist_default() ? tr("Default") : QString(),
                                 layout.pageSize().name(),
                                 layout.orientation() == QPageLayout::Portrait ? tr("Hochformat") : tr("Querformat"),
                                 zahl(raender.raender.left()),
                                 zahl(raender.raender.right()),
                                 zahl(raender.raender.top()),
                                 zahl(raender.raender.bottom()),
                                 zahl(raender.minimum.left()),
                                 zahl(raender.minimum.right()),
                                 zahl(raender.minimum.top()),
                                 zahl(raender.minimum.bottom())};
        for (int spalte = 0; spalte < 12; ++spalte)
            zeile->setzeZelle(spalte, CQString(texte[spalte]));
    }
    tabelle->passeSpaltenbreitenAn(false);
    tabelle->zeigeSortierung(0);
    tabelle->clearSelection();
    formular->meldung->hide();
    CQString meldung;
    if (!gib_standarddrucker(meldung, true)) {
        formular->meldung->setText(meldung);
        formular->meldung->show();
    }
}

bool CSeiteEinrichtenWidget::hat_platz()
{
    if (druckerliste.size() < hoechstzahl)
        return true;
    frage_mit_knoepfen(this, QMessageBox::Warning, tr("Drucker zuordnen"),
                       tr("Es sind maximal %1 Drucker zulässig!").arg(hoechstzahl), {tr("Ok")}, 0, 0);
    return false;
}

void CSeiteEinrichtenWidget::nimm_auf(CPrinter* neu)
{
    geaendert = true;
    aktueller_drucker = neu;
    if (CPrinter* gelistet = uebernimm_drucker(neu)) {
        delete neu;
        aktueller_drucker = gelistet;
    }
    // Shown at once: the page layout that follows may be cancelled, the printer stays assigned.
    zeige_druckertabelle();
}

CPrinter* CSeiteEinrichtenWidget::fuege_pdf_drucker_hinzu()
{
    if (!hat_platz())
        return nullptr;
    auto* pdf = new CPrinter(QPrinterInfo(), QPrinter::ScreenResolution);
    // Without a printer name: a null printer description would pick the system's default printer.
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setze_pdf_datei(true);
    nimm_auf(pdf);
    return aktueller_drucker;
}

int CSeiteEinrichtenWidget::richte_seite_ein()
{
    return exec();
}

bool CSeiteEinrichtenWidget::setze_pdf_ausgabedatei(QPrinter* drucker, QWidget* eltern)
{
    // Only the framework's printers can write a PDF file of their own.
    CPrinter* const eigener = dynamic_cast<CPrinter*>(drucker);
    return !eigener || eigener->setze_pdf_ausgabedatei(eltern);
}

bool CSeiteEinrichtenWidget::mit_druckerversatz(QPrinter* drucker)
{
    const CPrinter* const eigener = dynamic_cast<CPrinter*>(drucker);
    return eigener && eigener->mit_druckerversatz();
}

QMarginsF CSeiteEinrichtenWidget::gib_seitenraender(QPrinter* drucker)
{
    return drucker ? raender_mm(*drucker).raender : QMarginsF();
}

int CSeiteEinrichtenWidget::exec()
{
    geaendert = false;
    zeige_druckertabelle();
    return QDialog::exec();
}

void CSeiteEinrichtenWidget::onChooseAcceptClicked()
{
    accept();
}

void CSeiteEinrichtenWidget::onChooseRejectClicked()
{
    reject();
}

void CSeiteEinrichtenWidget::onChoosePrinterButtonClicked()
{
    if (!hat_platz())
        return;
    const std::unique_ptr<QPrinter> gewaehlt = waehle_drucker(eltern);
    if (!gewaehlt)
        return;
    nimm_auf(neuer_drucker(*gewaehlt));
    if (!standarddrucker && ist_systemstandarddrucker(aktueller_drucker->gib_druckername())) {
        aktueller_drucker->setze_default(true);
        standarddrucker = aktueller_drucker;
        zeige_druckertabelle();
    }
    onChoosePageLayoutButtonClicked();
}

void CSeiteEinrichtenWidget::onChoosePageLayoutButtonClicked()
{
    if (!aktueller_drucker)
        return;
    const QString titel = tr("Seite einrichten - Drucker %1").arg(aktueller_drucker->gib_druckername());
    QWidget* const dialogeltern = aktueller_drucker->ist_pdf_datei() ? this : eltern;
    if (frage_seiteneinrichtung(aktueller_drucker, dialogeltern, aktueller_drucker->ist_pdf_datei(), titel) != QDialog::Accepted)
        return;
    geaendert = true;
    zeige_druckertabelle();
}

void CSeiteEinrichtenWidget::slot_tabrowSelected(int index)
{
    const QString name = tabelle->zellDaten(index, 0).toString();
    for (CPrinter* drucker : qAsConst(druckerliste)) {
        if (drucker->gib_druckername() == name) {
            aktueller_drucker = drucker;
            return;
        }
    }
}

void CSeiteEinrichtenWidget::slot_configPrinter()
{
    if (!aktueller_drucker) {
        fehler_ton();
        return;
    }
    onChoosePageLayoutButtonClicked();
}

void CSeiteEinrichtenWidget::slot_deletePrinter()
{
    CPrinter* const weg = aktueller_drucker;
    if (!weg) {
        fehler_ton();
        return;
    }
    druckerliste.removeAll(weg);
    aktueller_drucker = nullptr;
    if (standarddrucker == weg)
        standarddrucker = nullptr;
    // A test print on it ends with it.
    if (testdrucker == weg)
        beende_testdruck();
    delete weg;
    geaendert = true;
    zeige_druckertabelle();
}

void CSeiteEinrichtenWidget::slot_setzeDefault()
{
    if (!aktueller_drucker) {
        fehler_ton();
        return;
    }
    if (standarddrucker)
        standarddrucker->setze_default(false);
    standarddrucker = aktueller_drucker;
    standarddrucker->setze_default(true);
    geaendert = true;
    zeige_druckertabelle();
}

bool CSeiteEinrichtenWidget::beginne_testdruck(QObject* traeger)
{
    // One test print at a time.
    if (!aktueller_drucker || testdruck) {
        delete traeger;
        fehler_ton();
        return false;
    }
    testdruck.reset(traeger);
    testdrucker = aktueller_drucker;
    return true;
}

void CSeiteEinrichtenWidget::slot_druckeTestseite()
{
    auto* seite = new QTextDocument;
    if (!beginne_testdruck(seite))
        return;
    if (!testdrucker->setze_pdf_ausgabedatei(this)) {
        beende_testdruck();
        return;
    }
    // Described once its output file is known.
    QString beschreibung;
    gib_druckerbeschreibung(beschreibung, testdrucker, false);
    seite->setPlainText(beschreibung);
    QString grund;
    if (!drucke_testseite(*testdrucker, *seite, grund)) {
        testdruck_fehlgeschlagen(grund);
        return;
    }
    testdruck_beendet();
}

void CSeiteEinrichtenWidget::slot_druckeTestseiteWE()
{
    // The test print lasts as long as this object; the page, never shown, goes with it (later:
    // the end of the test print is reported from inside the page's own job).
    auto* traeger = new QObject;
    if (!beginne_testdruck(traeger))
        return;
    auto* seite = new CGBrowserWeb(nullptr);
    connect(traeger, &QObject::destroyed, seite, &QObject::deleteLater);
    seite->setze_druckerzuordnung(this);
    seite->setze_druck_ausstehend(true);
    QString beschreibung;
    gib_druckerbeschreibung(beschreibung, testdrucker, false);
    seite->setHtml(QStringLiteral("<html><body><p>%1</p></body></html>").arg(beschreibung.toHtmlEscaped()));
}

void CSeiteEinrichtenWidget::slot_pdfDruckerHinzu()
{
    if (fuege_pdf_drucker_hinzu())
        onChoosePageLayoutButtonClicked();
}

CSeiteEinrichtenWidgetV1::CSeiteEinrichtenWidgetV1(QWidget* eltern)
    : QDialog(eltern), eltern(eltern), druckerlabel(new QLabel(this)), layoutlabel(new QLabel(this))
{
    setWindowTitle(tr("Seite einrichten"));
    druckerlabel->setObjectName(QStringLiteral("druckerlabel"));
    layoutlabel->setObjectName(QStringLiteral("layoutlabel"));
    auto* drucker_knopf = new QPushButton(tr("Drucker wählen..."), this);
    auto* seite_knopf = new QPushButton(tr("Seite einrichten..."), this);
    connect(drucker_knopf, &QPushButton::clicked, this, &CSeiteEinrichtenWidgetV1::onChoosePrinterButtonClicked);
    connect(seite_knopf, &QPushButton::clicked, this, &CSeiteEinrichtenWidgetV1::onChoosePageLayoutButtonClicked);
    auto* knoepfe = new QDialogButtonBox(this);
    knoepfe->addButton(tr("Schließen"), QDialogButtonBox::AcceptRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* knopfzeile = new QHBoxLayout;
    knopfzeile->addWidget(drucker_knopf);
    knopfzeile->addWidget(seite_knopf);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->addWidget(druckerlabel);
    aufbau->addWidget(layoutlabel);
    aufbau->addLayout(knopfzeile);
    aufbau->addWidget(knoepfe);
}

CSeiteEinrichtenWidgetV1::~CSeiteEinrichtenWidgetV1() = default;

void CSeiteEinrichtenWidgetV1::onChoosePrinterButtonClicked()
{
    drucker.reset();
    druckerlabel->clear();
    zeige_seitenlayout();
    const std::unique_ptr<QPrinter> gewaehlt = waehle_drucker(eltern);
    if (!gewaehlt)
        return;
    drucker.reset(neuer_drucker(*gewaehlt));
    // A printer that writes a file shows its file.
    druckerlabel->setText(drucker->gib_druckername());
    frage_seiteneinrichtung(drucker.get(), eltern, false, tr("Seite einrichten"));
    zeige_seitenlayout();
}

void CSeiteEinrichtenWidgetV1::onChoosePageLayoutButtonClicked()
{
    if (drucker && frage_seiteneinrichtung(drucker.get(), eltern, false, tr("Seite einrichten")) == QDialog::Accepted)
        zeige_seitenlayout();
}

void CSeiteEinrichtenWidgetV1::zeige_seitenlayout()
{
    if (!drucker) {
        layoutlabel->clear();
        return;
    }
    const QPageLayout layout = drucker->pageLayout();
    const Raender raender = raender_mm(*drucker);
    layoutlabel->setText(
        QStringLiteral("%1, %2, (%3)\n")
            .arg(layout.pageSize().name(),
                 layout.orientation() == QPageLayout::Portrait ? tr("Hochformat") : tr("Querformat"),
                 raendertext(raender.raender)) +
        QStringLiteral("Minimum Marg. %1").arg(raendertext(raender.minimum)));
}
