#include "berichtsdokument.h"
#include "berichthtml.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "dateien.h"
#include "hintergrund.h"
#include "htmlstuecke.h"
#include "linkfreigabe.h"
#include "steuerzeichen.h"
#include "tabellenteile.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextStream>
#include <QTextTable>

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

#include <cerrno>
#include <cstring>

namespace {

// Characters of a text report read in one go.
constexpr int stueckgroesse = 1 << 20;

// The text page's message for a report that cannot be read.
QString lesefehler(const QString& datei, const QString& grund)
{
    return QCoreApplication::translate("CGBrowserEx", "Der Bericht '%1' kann nicht gelesen werden: %2")
        .arg(maskiere_steuerzeichen(datei), grund);
}

// Every table in the frame and below it, in the order of the document.
void sammle_tabellen(QTextFrame* rahmen, std::vector<QTextTable*>& tabellen)
{
    for (QTextFrame* kind : rahmen->childFrames()) {
        if (auto* tabelle = qobject_cast<QTextTable*>(kind))
            tabellen.push_back(tabelle);
        sammle_tabellen(kind, tabellen);
    }
}

// The widest line of a cell's text as its fonts write it.
qreal breiteste_zeile(const QTextTableCell& zelle, const QFont& grundschrift)
{
    qreal breiteste = 0;
    for (QTextFrame::iterator teil = zelle.begin(); !teil.atEnd(); ++teil) {
        const QTextBlock block = teil.currentBlock();
        qreal zeile = 0;
        for (QTextBlock::iterator stueck = block.begin(); block.isValid() && !stueck.atEnd(); ++stueck) {
            const QFontMetricsF metrik(stueck.fragment().charFormat().font().resolve(grundschrift));
            const QStringList stuecke = stueck.fragment().text().split(QChar::LineSeparator);
            for (int i = 0; i < stuecke.size(); ++i) {
                if (i > 0)
                    zeile = 0;
                zeile += metrik.horizontalAdvance(stuecke[i]);
                breiteste = qMax(breiteste, zeile);
            }
        }
    }
    return breiteste;
}

// The widest run of a cell's text that no line may break, as its fonts write it: a column
// narrower than that breaks it within, a number split over two lines. The runs end where Qt may
// break a line (a space, after a hyphen or slash, between two CJK characters), not at a space
// that binds: a URL or a line of Chinese counted as one word widened its column far past the view.
qreal breitestes_wort(const QTextTableCell& zelle, const QFont& grundschrift)
{
    qreal breitestes = 0;
    for (QTextFrame::iterator teil = zelle.begin(); !teil.atEnd(); ++teil) {
        const QTextBlock block = teil.currentBlock();
        if (!block.isValid())
            continue;
        const QString text = block.text();
        QTextBoundaryFinder umbruch(QTextBoundaryFinder::Line, text);
        QVector<int> enden;
        for (int ende = umbruch.toNextBoundary(); ende > 0; ende = umbruch.toNextBoundary())
            enden.push_back(ende);
        // A word may go on in the next fragment, in another font.
        auto naechstes_ende = enden.cbegin();
        qreal wort = 0;
        for (QTextBlock::iterator stueck = block.begin(); !stueck.atEnd(); ++stueck) {
            const QFontMetricsF metrik(stueck.fragment().charFormat().font().resolve(grundschrift));
            const int bis = stueck.fragment().position() - block.position() + stueck.fragment().length();
            for (int i = stueck.fragment().position() - block.position(); i < bis;) {
                while (naechstes_ende != enden.cend() && *naechstes_ende <= i)
                    ++naechstes_ende;
                const bool umbricht = naechstes_ende != enden.cend() && *naechstes_ende <= bis;
                const int ende = umbricht ? *naechstes_ende : bis;
                // The spaces before a break hang past the line's end.
                int sichtbar = ende;
                while (umbricht && sichtbar > i && text.at(sichtbar - 1).isSpace())
                    --sichtbar;
                wort += metrik.horizontalAdvance(text.mid(i, sichtbar - i));
                breitestes = qMax(breitestes, wort);
                if (umbricht)
                    wort = 0;
                i = ende;
            }
        }
    }
    return breitestes;
}

// The characters of the longest cell of `tabelle` that spans columns, -1 without one.
int laengste_spanne(const QTextTable* tabelle)
{
    int laengste = -1;
    for (int zeile = 0; zeile < tabelle->rows(); ++zeile) {
        for (int spalte = 0; spalte < tabelle->columns(); ++spalte) {
            const QTextTableCell zelle = tabelle->cellAt(zeile, spalte);
            if (zelle.columnSpan() > 1 && zelle.column() == spalte && zelle.row() == zeile)
                laengste = qMax(laengste, zelle.lastPosition() - zelle.firstPosition());
        }
    }
    return laengste;
}

// Where each column of `tabelle` begins as laid out, and after the last one where the table
// ends: -1 for a column without a cell of its own.
QVector<qreal> spaltenkanten(QAbstractTextDocumentLayout* layout, QTextTable* tabelle)
{
    const int spalten = tabelle->columns();
    QVector<qreal> kanten(spalten + 1, -1);
    for (int zeile = 0; zeile < tabelle->rows(); ++zeile) {
        for (int spalte = 0; spalte < spalten; ++spalte) {
            const QTextTableCell zelle = tabelle->cellAt(zeile, spalte);
            if (kanten[spalte] < 0 && zelle.column() == spalte && zelle.columnSpan() == 1)
                kanten[spalte] = layout->blockBoundingRect(zelle.firstCursorPosition().block()).left();
        }
    }
    kanten[spalten] = layout->frameBoundingRect(tabelle).right();
    return kanten;
}

// How many lines the cells of each column of `tabelle` take as laid out.
QVector<int> zeilen_je_spalte(QTextTable* tabelle)
{
    QVector<int> zeilen(tabelle->columns(), 0);
    for (int zeile = 0; zeile < tabelle->rows(); ++zeile) {
        for (int spalte = 0; spalte < tabelle->columns(); ++spalte) {
            const QTextTableCell zelle = tabelle->cellAt(zeile, spalte);
            if (zelle.column() != spalte || zelle.row() != zeile)
                continue;
            for (QTextFrame::iterator teil = zelle.begin(); !teil.atEnd(); ++teil)
                if (const QTextBlock block = teil.currentBlock(); block.isValid() && block.layout())
                    zeilen[spalte] += block.layout()->lineCount();
        }
    }
    return zeilen;
}

// The columns all `teile` of a long table take: those of its first part laid out at `breite`, each
// wider where a later part holds a wider word, and a longer line as far as `breite` leaves room, as
// Qt lays a whole table out. Empty when a column of the first part has no cell of its own to
// measure it by. `eigene`: the columns the first part was given by its HTML, which it is measured
// with; `spaeter` and `spaeter_wort`: the widest line and the widest word of each column's later
// cells that may be wider, found when empty.
QVector<QTextLength> spalten_fuer(QTextDocument& quelle, const std::vector<QTextTable*>& teile, qreal breite,
                                  const QVector<QTextLength>& eigene, QVector<qreal>& spaeter,
                                  QVector<qreal>& spaeter_wort)
{
    QTextDocument probe(&quelle);
    probe.setUndoRedoEnabled(false);
    probe.setDefaultFont(quelle.defaultFont());
    probe.setDocumentMargin(quelle.documentMargin());
    probe.setTextWidth(breite);
    QTextCursor auswahl(&quelle);
    auswahl.setPosition(teile.front()->firstPosition() - 1);
    auswahl.setPosition(teile.front()->lastPosition() + 1, QTextCursor::KeepAnchor);
    QTextCursor(&probe).insertFragment(auswahl.selection());
    std::vector<QTextTable*> tabellen;
    sammle_tabellen(probe.rootFrame(), tabellen);
    if (tabellen.empty())
        return {};
    QTextTable* const muster = tabellen.front();
    QTextTableFormat eigenes_format = muster->format();
    eigenes_format.setColumnWidthConstraints(eigene);
    muster->setFormat(eigenes_format);
    QAbstractTextDocumentLayout* const layout = probe.documentLayout();
    layout->documentSize();
    const int spalten = muster->columns();
    const QVector<qreal> kanten = spaltenkanten(layout, muster);
    // The room for text in each column: that of its narrowest cell, as laid out. Its widest line
    // may stand in a cell of less padding (a heading cell the page's style left out), with less
    // room in the others.
    QVector<qreal> raum(spalten, std::numeric_limits<qreal>::infinity());
    QVector<int> laengste(spalten, 0);
    for (int zeile = 0; zeile < muster->rows(); ++zeile) {
        for (int spalte = 0; spalte < spalten; ++spalte) {
            const QTextTableCell zelle = muster->cellAt(zeile, spalte);
            if (zelle.column() != spalte || zelle.columnSpan() != 1)
                continue;
            raum[spalte] = qMin(raum[spalte], layout->blockBoundingRect(zelle.firstCursorPosition().block()).width());
            laengste[spalte] = qMax(laengste[spalte], zelle.lastPosition() - zelle.firstPosition());
        }
    }
    // A later cell of more characters than any of its column in the first part may be wider.
    // Found once, the lines as the fonts write them, whatever the width: they are all the cells.
    if (spaeter.size() != spalten || spaeter_wort.size() != spalten) {
        spaeter.fill(0, spalten);
        spaeter_wort.fill(0, spalten);
        for (std::size_t i = 1; i < teile.size(); ++i) {
            for (int zeile = 0; zeile < teile[i]->rows() && teile[i]->columns() == spalten; ++zeile) {
                for (int spalte = 0; spalte < spalten; ++spalte) {
                    const QTextTableCell zelle = teile[i]->cellAt(zeile, spalte);
                    if (zelle.column() != spalte || zelle.columnSpan() != 1
                        || zelle.lastPosition() - zelle.firstPosition() <= laengste[spalte])
                        continue;
                    spaeter[spalte] = qMax(spaeter[spalte], breiteste_zeile(zelle, quelle.defaultFont()));
                    spaeter_wort[spalte] = qMax(spaeter_wort[spalte], breitestes_wort(zelle, quelle.defaultFont()));
                }
            }
        }
    }
    // A later word wider than its column widens it, as Qt would, and a later line then as far as
    // the width leaves room, as Qt wraps a line where the table would be wider than its width:
    // whole, the lines of a column that wraps took it and the table far past the view's and
    // paper's edge, and the columns' shares on paper then broke the other columns' words within.
    // A word wider than the room Qt breaks within too (a number of 300 digits).
    QVector<qreal> mehr(spalten, 0);
    QVector<qreal> zeilen_mehr(spalten, 0);
    qreal gewuenscht = 0;
    for (int spalte = 0; spalte < spalten; ++spalte) {
        mehr[spalte] = qMax<qreal>(0, spaeter_wort[spalte] - raum[spalte]);
        zeilen_mehr[spalte] = qMax<qreal>(0, spaeter[spalte] - raum[spalte] - mehr[spalte]);
        gewuenscht += zeilen_mehr[spalte];
    }
    // The room goes to the narrowest wants first: shared by size, the number of 300 digits left
    // the row numbers beside it too little, and broke them all.
    qreal platz = qMax<qreal>(0, breite - 2 * probe.documentMargin() - (kanten[spalten] - kanten[0]));
    QVector<int> nach_wort(spalten);
    std::iota(nach_wort.begin(), nach_wort.end(), 0);
    std::sort(nach_wort.begin(), nach_wort.end(), [&mehr](int a, int b) { return mehr[a] < mehr[b]; });
    for (int i = 0; i < spalten; ++i) {
        qreal& wort = mehr[nach_wort[i]];
        wort = qMin(wort, platz / (spalten - i));
        platz -= wort;
    }
    const qreal anteil = gewuenscht > 0 ? qBound<qreal>(0, platz / gewuenscht, 1) : 0;
    for (int spalte = 0; spalte < spalten; ++spalte)
        mehr[spalte] += zeilen_mehr[spalte] * anteil;
    // Each column as wide as it was laid out, its widest later line added: as a share of the
    // width it would wrap every row once the view is narrower than the width measured at.
    QVector<qreal> breite_von(spalten);
    for (int spalte = 0; spalte < spalten; ++spalte) {
        if (kanten[spalte] < 0 || kanten[spalte + 1] <= kanten[spalte])
            return {};
        breite_von[spalte] = kanten[spalte + 1] - kanten[spalte] + mehr[spalte];
    }
    // Qt counts a column's width without the spacing and borders between the cells, by rules of
    // its own: the first part is laid out with the widths found and each column is set by what it
    // lacks or has beyond them, and widened where it now wraps a cell more than before. Taken as
    // measured, each column came out wider by the spacing, and the table past the view's edge.
    const QVector<int> zeilen_vorher = zeilen_je_spalte(muster);
    QVector<QTextLength> breiten(spalten);
    for (int versuch = 0; versuch < 4; ++versuch) {
        for (int spalte = 0; spalte < spalten; ++spalte)
            breiten[spalte] = QTextLength(QTextLength::FixedLength, breite_von[spalte]);
        QTextTableFormat format = muster->format();
        format.setColumnWidthConstraints(breiten);
        muster->setFormat(format);
        layout->documentSize();
        const QVector<qreal> neu = spaltenkanten(layout, muster);
        const QVector<int> zeilen = zeilen_je_spalte(muster);
        bool fertig = true;
        for (int spalte = 0; spalte < spalten; ++spalte) {
            qreal fehlt = kanten[spalte + 1] - kanten[spalte] + mehr[spalte] - (neu[spalte + 1] - neu[spalte]);
            if (zeilen[spalte] > zeilen_vorher[spalte])
                fehlt = qMax<qreal>(1, fehlt);
            else if (qAbs(fehlt) < 0.5)
                continue;
            breite_von[spalte] += fehlt;
            fertig = false;
        }
        if (fertig)
            break;
    }
    return breiten;
}

} // namespace

CBerichtsdokument::CBerichtsdokument(QObject* eltern) : QTextDocument(eltern)
{
    setUndoRedoEnabled(false);
    // Counted by what changes, not by the revision, which every edit block raises: a selection
    // made within one (`CAuswahlkopie`) left the report no longer the file's.
    connect(this, &QTextDocument::contentsChanged, this, [this] { veraendert = veraendert || !setzt_spalten; });
}

QString CBerichtsdokument::lade(const QString& pfad, qreal breite, CHintergrund* arbeit)
{
    // Taken before the file is read: a change while it is read counts too.
    const QFileInfo vorher(pfad);
    groesse = vorher.size();
    geaendert = vorher.lastModified();
    QString fehler;
    if (ist_textbericht(pfad)) {
        clear();
        datei = pfad;
        fehler = baue_text(arbeit);
    } else if (QString html; lies_html(pfad, html, fehler)) {
        setze_bericht(html, QFileInfo(pfad).absolutePath(), breite, arbeit);
    }
    if (!fehler.isEmpty()) {
        clear();
        return fehler;
    }
    datei = pfad;
    veraendert = false;
    return QString();
}

bool CBerichtsdokument::lies_html(const QString& pfad, QString& html, QString& fehler)
{
    QFile quelle(pfad);
    if (!oeffne_regulaere_datei(quelle, QIODevice::ReadOnly))
        fehler = lesefehler(pfad, systemfehler(errno));
    else if (quelle.size() > groesste_berichtsdatei(pfad))
        fehler = zu_gross_text(pfad, quelle.size());
    else
        html = html_aus_bytes(quelle.readAll());
    return fehler.isEmpty();
}

QString CBerichtsdokument::gib_datei() const
{
    // Text put in afterwards (a page given other HTML keeps its document) is not the file's, nor
    // is a file written anew since it was read: what the document shows is what counts then.
    const QFileInfo jetzt(datei);
    const bool wie_gelesen = jetzt.size() == groesse && jetzt.lastModified() == geaendert;
    return !veraendert && wie_gelesen ? datei : QString();
}

QString CBerichtsdokument::baue_text(CHintergrund* arbeit)
{
    CQIODatei eingabe{CQString(datei)};
    if (!eingabe.oeffne(true, false, false, false, false))
        return lesefehler(datei, eingabe.errorString());
    eingabe.setze_codec(false);
    QTextStream& strom = *eingabe.gib_stream();
    const qint64 groesse = qMax<qint64>(1, eingabe.size());
    qint64 rest = groesste_berichtsdatei(datei);
    QTextCursor schreiber(this);
    schreiber.beginEditBlock();
    QString zeilenende;
    for (bool ende = false; !ende && !(arbeit && arbeit->abgebrochen());) {
        QString stueck = strom.read(std::min<qint64>(stueckgroesse, rest));
        rest -= stueck.size();
        ende = strom.atEnd() || rest <= 0;
        stueck.prepend(zeilenende);
        zeilenende.clear();
        // Lines ended as on Windows are lines all the same, also when a slice ends between CR and LF.
        if (!ende && stueck.endsWith(QLatin1Char('\r'))) {
            stueck.chop(1);
            zeilenende = QStringLiteral("\r");
        }
        stueck.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        schreiber.insertText(stueck);
        if (arbeit)
            arbeit->melde_anteil(static_cast<int>(eingabe.pos() * 1000 / groesse));
    }
    schreiber.endEditBlock();
    if (rest <= 0 && !strom.atEnd())
        CQCat::gib_instanz()->warn(CQString(QCoreApplication::translate("CGBrowserEx", "Bericht '%1' nur bis %2 Zeichen "
                                                                                       "angezeigt: er ist gewachsen, seit "
                                                                                       "er geöffnet wurde")
                                                .arg(maskiere_steuerzeichen(datei))
                                                .arg(groesste_berichtsdatei(datei))));
    return QString();
}

void CBerichtsdokument::setze_bericht(const QString& html, const QString& ordner, qreal breite, CHintergrund* arbeit)
{
    datei.clear();
    clear();
    // Before the pieces, which read their style sheets from there.
    setBaseUrl(ordner.isEmpty() ? QUrl() : QUrl::fromLocalFile(ordner + QLatin1Char('/')));
    CHtmlStuecke stuecke(html);
    CHtmlStuecke::Stueck stueck;
    std::vector<int> fortsetzungen;
    QTextCursor ende(this);
    bool erstes = true;
    while (stuecke.naechstes(stueck)) {
        if (arbeit) {
            if (arbeit->abgebrochen())
                break;
            arbeit->melde_anteil(static_cast<int>(qint64(stuecke.gelesen()) * 900 / qMax(1, stuecke.laenge())));
        }
        if (erstes) {
            setHtml(stueck.html);
            erstes = false;
            // One edit for all the pieces: Qt goes through the whole document's frames after each.
            ende.beginEditBlock();
            continue;
        }
        ende.movePosition(QTextCursor::End);
        if (stueck.tabelle_geht_weiter)
            fortsetzungen.push_back(ende.position());
        haenge_an(ende, stueck.html);
    }
    if (!erstes)
        ende.endEditBlock();
    if (arbeit && arbeit->abgebrochen())
        return;
    gleiche_spalten_an(fortsetzungen, breite);
    lade_bilder();
}

void CBerichtsdokument::haenge_an(QTextCursor& ende, const QString& html)
{
    // A child, which asks this document for the style sheets its piece names. The piece follows
    // a paragraph of its own, so that its copy begins at a paragraph's end: a fragment that begins
    // with a paragraph takes the format of the one it goes into.
    QTextDocument teil(this);
    teil.setUndoRedoEnabled(false);
    teil.setDefaultFont(defaultFont());
    teil.setHtml(QStringLiteral("<p>#</p>") + html);
    QTextCursor auswahl(&teil);
    auswahl.setPosition(teil.firstBlock().length() - 1);
    auswahl.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    ende.insertFragment(auswahl.selection());
}

void CBerichtsdokument::gleiche_spalten_an(const std::vector<int>& fortsetzungen, qreal breite)
{
    lange_tabellen.clear();
    if (fortsetzungen.empty())
        return;
    std::vector<QTextTable*> tabellen;
    sammle_tabellen(rootFrame(), tabellen);
    // Each part with the first part of its table.
    std::map<QTextTable*, QTextTable*> erster_teil;
    for (const int position : fortsetzungen) {
        const auto weiter = std::find_if(tabellen.begin(), tabellen.end(),
                                         [position](QTextTable* t) { return t->firstPosition() >= position; });
        if (weiter == tabellen.end())
            continue;
        // The part before it ends before the position in the same frame: a table within its
        // last row ends there too, one frame below.
        for (auto davor = weiter; davor != tabellen.begin();) {
            --davor;
            if ((*davor)->lastPosition() < position && (*davor)->parentFrame() == (*weiter)->parentFrame()) {
                const auto bekannt = erster_teil.find(*davor);
                erster_teil[*weiter] = bekannt == erster_teil.end() ? *davor : bekannt->second;
                break;
            }
        }
    }
    std::map<QTextTable*, std::vector<QTextTable*>> teile;
    for (const auto& [teil, erster] : erster_teil)
        teile[erster].push_back(teil);
    // One edit for all the parts: Qt goes through the whole document's frames after each.
    QTextCursor teile_aendern(this);
    teile_aendern.beginEditBlock();
    for (auto& [erster, weitere] : teile) {
        // On paper the parts are joined again, where the table has heading rows.
        for (QTextTable* const teil : weitere) {
            QTextTableFormat format = teil->format();
            format.setProperty(tabellenfortsetzung, true);
            teil->setFormat(format);
        }
        // A part whose rows all have fewer cells than another's has fewer columns, laid out by
        // their own: its column edges stood elsewhere. The whole table fills such rows with empty
        // cells up to its columns, and so does every part here.
        int spalten = erster->columns();
        for (QTextTable* const teil : weitere)
            spalten = qMax(spalten, teil->columns());
        weitere.push_back(erster);
        for (QTextTable* const teil : weitere)
            if (teil->columns() < spalten)
                teil->appendColumns(spalten - teil->columns());
        weitere.pop_back();
    }
    teile_aendern.endEditBlock();
    if (breite <= 0)
        return;
    for (auto& [erster, weitere] : teile) {
        // Later parts the measure of the cells cannot answer for (a table within a cell, a cell
        // over several columns longer than any of the first part's) leave the table's columns to
        // Qt, part by part: held to the first part's, their text broke within words. A short
        // group heading in the first part answered for none: a long one later took a word a line.
        const int erste_spanne = laengste_spanne(erster);
        if (std::any_of(weitere.begin(), weitere.end(), [erste_spanne](QTextTable* teil) {
                return !teil->childFrames().isEmpty() || laengste_spanne(teil) > erste_spanne;
            }))
            continue;
        weitere.insert(weitere.begin(), erster);
        lange_tabellen.push_back({erster->format().columnWidthConstraints(), {weitere.begin(), weitere.end()}, {}, {}});
    }
    setze_spalten(breite);
}

void CBerichtsdokument::nimm_breite(qreal breite)
{
    if (breite > gemessen_bei && !lange_tabellen.empty())
        setze_spalten(breite);
}

void CBerichtsdokument::setze_spalten(qreal breite)
{
    gemessen_bei = breite;
    // Columns measured anew leave the document the file's: its save and print still build their
    // own from the file beside the window, not a copy of this one made on the GUI thread.
    setzt_spalten = true;
    // One change for all parts: the layout goes through the document once, not once for each.
    QTextCursor aenderung(this);
    aenderung.beginEditBlock();
    for (LangeTabelle& tabelle : lange_tabellen) {
        std::vector<QTextTable*> teile;
        for (const QPointer<QTextTable>& teil : tabelle.teile)
            if (teil)
                teile.push_back(teil);
        const QVector<QTextLength> spalten =
            teile.empty() ? QVector<QTextLength>() : spalten_fuer(*this, teile, breite, tabelle.eigene, tabelle.spaeter,
                                                                                 tabelle.spaeter_wort);
        // Columns that took their whole lines at the narrower width stay as they are: a change
        // takes Qt's layout through every block of the document once more.
        if (spalten.isEmpty() || teile.front()->format().columnWidthConstraints() == spalten)
            continue;
        for (QTextTable* teil : teile) {
            QTextTableFormat format = teil->format();
            if (teil->columns() != spalten.size())
                continue;
            format.setColumnWidthConstraints(spalten);
            teil->setFormat(format);
        }
    }
    aenderung.endEditBlock();
    setzt_spalten = false;
}

int CBerichtsdokument::anker_position(const QString& name) const
{
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator stueck = block.begin(); !stueck.atEnd(); ++stueck) {
            const QTextCharFormat format = stueck.fragment().charFormat();
            if (format.isAnchor() && format.anchorNames().contains(name))
                return stueck.fragment().position();
        }
    }
    return -1;
}

void CBerichtsdokument::lade_bilder()
{
    QSet<QString> namen;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator stueck = block.begin(); !stueck.atEnd(); ++stueck) {
            const QTextCharFormat format = stueck.fragment().charFormat();
            if (format.isImageFormat())
                namen.insert(format.toImageFormat().name());
        }
    }
    // Named as the picture handler names them.
    for (const QString& name : qAsConst(namen))
        resource(QTextDocument::ImageResource,
                 QUrl(name.startsWith(QLatin1String(":/")) ? QStringLiteral("qrc") + name : name));
}

QVariant CBerichtsdokument::lies_berichtsressource(int typ, const QUrl& adresse)
{
    const QString pfad = adresse.isLocalFile()         ? lokaler_pfad(adresse)
                         : adresse.scheme().isEmpty() ? adresse.path()
                                                      : QString();
    if (!QFileInfo(pfad).isAbsolute())
        return QVariant();
    QFile inhalt(pfad);
    if (oeffne_regulaere_datei(inhalt, QIODevice::ReadOnly)) {
        if (inhalt.size() <= groesste_berichtsdatei(pfad))
            return typ == QTextDocument::HtmlResource ? QVariant(html_aus_bytes(inhalt.readAll()))
                                                      : QVariant(inhalt.readAll());
        CQCat::gib_instanz()->warn(CQString(QCoreApplication::translate("CGBrowserEx", "Datei '%1' ist zu groß für die Seite")
                                                .arg(maskiere_steuerzeichen(pfad))));
        return QVariant(QByteArray(""));
    }
    // An empty resource, not a null one: Qt would then try the file itself. A missing or
    // unreadable file fails there at once, as before.
    return errno == EINVAL ? QVariant(QByteArray("")) : QVariant();
}

QVariant CBerichtsdokument::loadResource(int typ, const QUrl& name)
{
    const QUrl adresse = name.isRelative() ? baseUrl().resolved(name) : name;
    QVariant wert = lies_berichtsressource(typ, adresse);
    if (wert.isNull())
        return QTextDocument::loadResource(typ, name);
    if (typ == QTextDocument::ImageResource) {
        QImage bild;
        if (bild.loadFromData(wert.toByteArray()))
            wert = bild;
    }
    addResource(typ, adresse, wert);
    return wert;
}
