#include "zeilenlayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace {

// Where a change reaches to the end of the view: repainted from its top down.
constexpr qreal bis_unten = 1e8;

// Marks the format of a row of a table; the room between a cell's text and its grid line, and
// above and below a row's text.
constexpr int tabellen_eigenschaft = QTextFormat::UserProperty + 0x2a1;
constexpr qreal zellenrand = 4;
constexpr qreal zeilenrand = 1;

// Whether the document has a format of an object (a picture): the formats stay after their text
// goes, so it may have had one.
bool hat_objekte(const QTextDocument* dokument)
{
    const QVector<QTextFormat> formate = dokument->allFormats();
    return std::any_of(formate.begin(), formate.end(), [](const QTextFormat& format) {
        return format.isCharFormat() && format.objectType() != QTextFormat::NoObject;
    });
}

} // namespace

CZeilenlayout::CZeilenlayout(QTextDocument* dokument) : QAbstractTextDocumentLayout(dokument)
{
}

bool CZeilenlayout::passt_zu(const QTextDocument* dokument)
{
    return dokument->rootFrame()->childFrames().isEmpty() && !hat_objekte(dokument);
}

QTextBlockFormat CZeilenlayout::tabellenzeile(QTextBlockFormat basis, const QVector<qreal>& breiten)
{
    // Tab stops, from the start of the row's first line: where the text of each further column
    // starts, and at last the table's right edge.
    QList<QTextOption::Tab> stopps;
    qreal x = 0;
    for (const qreal breite : breiten) {
        x += breite + 2 * zellenrand;
        stopps << QTextOption::Tab(x, QTextOption::LeftTab);
    }
    const qreal letzte_spalte = stopps.size() > 1 ? stopps[stopps.size() - 2].position : 0;
    basis.setTabPositions(stopps);
    // The first line starts at the left edge, every further one in the last column.
    basis.setLeftMargin(zellenrand + letzte_spalte);
    basis.setTextIndent(-letzte_spalte);
    basis.setIndent(0);
    basis.setTopMargin(zeilenrand);
    basis.setBottomMargin(zeilenrand);
    basis.setNonBreakableLines(false);
    basis.setLayoutDirection(Qt::LeftToRight);
    basis.setProperty(tabellen_eigenschaft, true);
    return basis;
}

bool CZeilenlayout::ist_tabellenzeile(const QTextBlockFormat& format)
{
    return format.hasProperty(tabellen_eigenschaft);
}

void CZeilenlayout::zeichne_raster(QPainter* maler, const QTextBlock& block, qreal y, qreal hoehe) const
{
    const QTextBlockFormat format = block.blockFormat();
    const QList<QTextOption::Tab> stopps = format.tabPositions();
    const qreal rand = document()->documentMargin();
    const qreal seite = document()->pageSize().width();
    // The left edge lies a cell's room before the first line's start; the right one at the last
    // stop, or at the page's edge where the last column wraps.
    const qreal links = rand + format.leftMargin() + format.textIndent() - zellenrand;
    const qreal rechts_max = seite > 0 ? seite - rand - format.rightMargin() : bis_unten;
    QVector<QLineF> linien;
    linien << QLineF(links, y, links, y + hoehe);
    for (const QTextOption::Tab& stopp : stopps) {
        const qreal x = qMin(links + stopp.position, rechts_max);
        linien << QLineF(x, y, x, y + hoehe);
    }
    const qreal rechts = stopps.isEmpty() ? links : qMin(links + stopps.last().position, rechts_max);
    linien << QLineF(links, y + hoehe, rechts, y + hoehe);
    // The table's first row closes it at the top.
    if (!block.previous().isValid() || !block.previous().blockFormat().hasProperty(tabellen_eigenschaft))
        linien << QLineF(links, y, rechts, y);
    maler->drawLines(linien);
}

qreal CZeilenlayout::schaetzung(const QTextBlock& block) const
{
    if (!block.isVisible())
        return 0;
    const QTextBlockFormat format = block.blockFormat();
    return zeilenhoehe + format.topMargin() + format.bottomMargin();
}

void CZeilenlayout::haenge_an(qreal hoehe) const
{
    // The node at j sums the heights from j - (j & -j) + 1 to j: this one and the nodes before
    // it that lie in that range.
    const std::size_t j = baum.size();
    qreal summe = hoehe;
    for (std::size_t k = 1; k < (j & (~j + 1)); k <<= 1)
        summe += baum[j - k];
    baum.push_back(summe);
    hoehen.push_back(hoehe);
    gelegt.push_back(false);
}

void CZeilenlayout::aendere(int nummer, qreal neu) const
{
    const qreal differenz = neu - hoehen[std::size_t(nummer)];
    hoehen[std::size_t(nummer)] = neu;
    for (std::size_t j = std::size_t(nummer) + 1; j < baum.size(); j += j & (~j + 1))
        baum[j] += differenz;
}

qreal CZeilenlayout::oben(int nummer) const
{
    qreal summe = 0;
    for (std::size_t j = std::size_t(nummer); j > 0; j -= j & (~j + 1))
        summe += baum[j];
    return summe;
}

int CZeilenlayout::suche(qreal y) const
{
    const std::size_t anzahl = hoehen.size();
    std::size_t schritt = 1;
    while (schritt * 2 <= anzahl)
        schritt *= 2;
    std::size_t vorher = 0;
    for (; schritt > 0; schritt /= 2) {
        if (vorher + schritt <= anzahl && baum[vorher + schritt] <= y) {
            vorher += schritt;
            y -= baum[vorher];
        }
    }
    return int(qMin(vorher, anzahl > 0 ? anzahl - 1 : 0));
}

void CZeilenlayout::alles_neu()
{
    const QTextDocument* dokument = document();
    const QFontMetricsF masse(dokument->defaultFont());
    zeilenhoehe = qCeil(masse.ascent() + masse.descent());
    hoehen.clear();
    gelegt.clear();
    baum.assign(1, 0);
    breiteste = 0;
    hoehen.reserve(std::size_t(dokument->blockCount()));
    for (QTextBlock block = dokument->begin(); block.isValid(); block = block.next()) {
        block.clearLayout();
        haenge_an(schaetzung(block));
    }
}

void CZeilenlayout::documentChanged(int von, int entfernt, int hinzu)
{
    QTextDocument* dokument = document();
    const int anzahl = dokument->blockCount();
    const int erster = dokument->findBlock(von).blockNumber();
    const QTextBlock letzter_block = dokument->findBlock(qMin(von + hinzu, dokument->characterCount() - 1));
    const int letzter = letzter_block.blockNumber();
    // The paragraphs after the change are the same as before it, in the same number.
    const int danach = anzahl - 1 - letzter;
    const int vorher = int(hoehen.size());
    if ((von == 0 && entfernt == 0) || erster < 0 || letzter < erster || danach < 0 || erster > vorher
        || vorher - danach < erster) {
        // A new width or font, a new document, or the first text.
        alles_neu();
    } else {
        const std::vector<qreal> rest_hoehen(hoehen.end() - danach, hoehen.end());
        const std::vector<bool> rest_gelegt(gelegt.end() - danach, gelegt.end());
        hoehen.resize(std::size_t(erster));
        gelegt.resize(std::size_t(erster));
        baum.resize(std::size_t(erster) + 1);
        for (QTextBlock block = dokument->findBlockByNumber(erster); block.isValid(); block = block.next()) {
            block.clearLayout();
            haenge_an(schaetzung(block));
            if (block == letzter_block)
                break;
        }
        for (std::size_t i = 0; i < rest_hoehen.size(); ++i) {
            haenge_an(rest_hoehen[i]);
            gelegt.back() = rest_gelegt[i];
        }
    }
    if (!passt_zu(dokument))
        weiche();
    emit documentSizeChanged(documentSize());
    emit update(QRectF(0, dokument->documentMargin() + oben(qMax(0, erster)), bis_unten, bis_unten));
}

bool CZeilenlayout::lege(const QTextBlock& block, int nummer) const
{
    if (nummer < 0 || nummer >= int(hoehen.size()) || gelegt[std::size_t(nummer)])
        return false;
    gelegt[std::size_t(nummer)] = true;
    const QTextDocument* dokument = document();
    QTextLayout* absatz = block.layout();
    qreal hoehe = 0;
    if (block.isVisible()) {
        const QTextBlockFormat format = block.blockFormat();
        const qreal rand = dokument->documentMargin();
        const qreal seite = dokument->pageSize().width();
        const qreal links = rand + format.leftMargin() + format.indent() * dokument->indentWidth();
        const qreal breite = seite - links - rand - format.rightMargin();
        QTextOption option = dokument->defaultTextOption();
        const Qt::LayoutDirection richtung =
            format.layoutDirection() == Qt::LayoutDirectionAuto ? block.textDirection() : format.layoutDirection();
        option.setTextDirection(richtung);
        // Without a width (a view that does not wrap) every line is as long as its text.
        const bool umbrechen = seite > 0 && !format.nonBreakableLines();
        if (!umbrechen)
            option.setWrapMode(QTextOption::NoWrap);
        option.setAlignment(seite > 0 ? QStyle::visualAlignment(richtung, format.alignment()) : Qt::AlignLeft);
        if (!format.tabPositions().isEmpty())
            option.setTabs(format.tabPositions());
        absatz->setTextOption(option);
        absatz->beginLayout();
        // As the standard layout places lines: the next one a whole line's spacing (leading
        // included) below, the paragraph ending at the last line's foot.
        qreal y = format.topMargin();
        qreal fuss = y;
        for (bool erste = true;; erste = false) {
            QTextLine zeile = absatz->createLine();
            if (!zeile.isValid())
                break;
            const qreal einzug = erste ? format.textIndent() : 0;
            zeile.setLineWidth(seite > 0 ? qMax<qreal>(1, breite - einzug) : 1e7);
            zeile.setPosition(QPointF(links + einzug, y));
            fuss = y + zeile.height();
            y += qCeil(zeile.ascent() + zeile.descent() + zeile.leading());
            breiteste = qMax(breiteste, links + einzug + zeile.naturalTextWidth() + rand + format.rightMargin());
        }
        absatz->endLayout();
        hoehe = fuss + format.bottomMargin();
    }
    if (hoehe == hoehen[std::size_t(nummer)])
        return false;
    aendere(nummer, hoehe);
    melde_groesse_spaeter();
    return true;
}

void CZeilenlayout::lege_ende(qreal sichthoehe)
{
    bool geaendert = false;
    qreal hoehe = 0;
    int nummer = int(hoehen.size()) - 1;
    for (QTextBlock block = document()->lastBlock(); block.isValid() && hoehe < sichthoehe;
         block = block.previous(), --nummer) {
        geaendert = lege(block, nummer) || geaendert;
        hoehe += hoehen[std::size_t(nummer)];
    }
    if (geaendert)
        emit documentSizeChanged(documentSize());
}

void CZeilenlayout::melde_groesse_spaeter() const
{
    if (!groesse_gemeldet)
        return;
    groesse_gemeldet = false;
    auto* selbst = const_cast<CZeilenlayout*>(this);
    QMetaObject::invokeMethod(
        selbst,
        [selbst] {
            selbst->groesse_gemeldet = true;
            emit selbst->documentSizeChanged(selbst->documentSize());
        },
        Qt::QueuedConnection);
}

void CZeilenlayout::weiche()
{
    if (weicht)
        return;
    weicht = true;
    QTextDocument* dokument = document();
    const QPointer<CZeilenlayout> selbst(this);
    // Not while the document reports its change: the standard layout is made when the document
    // is asked for a layout and has none.
    QMetaObject::invokeMethod(
        dokument,
        [dokument, selbst] {
            if (selbst && dokument->documentLayout() == selbst) {
                dokument->setDocumentLayout(nullptr);
                dokument->documentLayout();
            }
        },
        Qt::QueuedConnection);
}

QSizeF CZeilenlayout::documentSize() const
{
    const QTextDocument* dokument = document();
    const qreal rand = dokument->documentMargin();
    const qreal seite = dokument->pageSize().width();
    return QSizeF(seite > 0 ? seite : breiteste, oben(int(hoehen.size())) + 2 * rand);
}

QRectF CZeilenlayout::frameBoundingRect(QTextFrame* rahmen) const
{
    return rahmen == document()->rootFrame() ? QRectF(QPointF(0, 0), documentSize()) : QRectF();
}

QRectF CZeilenlayout::blockBoundingRect(const QTextBlock& block) const
{
    const int nummer = block.isValid() && block.document() == document() ? block.blockNumber() : -1;
    if (nummer < 0 || nummer >= int(hoehen.size()))
        return QRectF();
    lege(block, nummer);
    return QRectF(0, document()->documentMargin() + oben(nummer), documentSize().width(), hoehen[std::size_t(nummer)]);
}

void CZeilenlayout::draw(QPainter* maler, const PaintContext& kontext)
{
    const QTextDocument* dokument = document();
    if (hoehen.empty())
        return;
    const qreal rand = dokument->documentMargin();
    const QRectF ausschnitt = kontext.clip.isValid() ? kontext.clip : QRectF(0, 0, bis_unten, bis_unten);
    int nummer = suche(ausschnitt.top() - rand);
    qreal y = rand + oben(nummer);
    const int cursorbreite = property("cursorWidth").isValid() ? property("cursorWidth").toInt() : 1;
    maler->setPen(kontext.palette.color(QPalette::Text));
    for (QTextBlock block = dokument->findBlockByNumber(nummer);
         block.isValid() && nummer < int(hoehen.size()) && y <= ausschnitt.bottom(); block = block.next(), ++nummer) {
        lege(block, nummer);
        const qreal hoehe = hoehen[std::size_t(nummer)];
        if (hoehe > 0 && y + hoehe >= ausschnitt.top()) {
            const QTextBlockFormat format = block.blockFormat();
            if (format.hasProperty(QTextFormat::BackgroundBrush))
                maler->fillRect(QRectF(0, y, documentSize().width(), hoehe), format.background());
            const int anfang = block.position();
            const int laenge = block.length();
            QVector<QTextLayout::FormatRange> auswahl;
            for (const Selection& s : kontext.selections) {
                const int von = qMax(0, s.cursor.selectionStart() - anfang);
                const int bis = qMin(laenge, s.cursor.selectionEnd() - anfang);
                if (bis <= von)
                    continue;
                QTextLayout::FormatRange bereich;
                bereich.start = von;
                bereich.length = bis - von;
                bereich.format = s.format;
                auswahl << bereich;
            }
            QTextLayout* absatz = block.layout();
            absatz->draw(maler, QPointF(0, y), auswahl, ausschnitt);
            if (format.hasProperty(tabellen_eigenschaft)) {
                maler->save();
                maler->setPen(QPen(kontext.palette.color(QPalette::Mid), 0));
                zeichne_raster(maler, block, y, hoehe);
                maler->restore();
            }
            if (kontext.cursorPosition >= anfang && kontext.cursorPosition < anfang + laenge)
                absatz->drawCursor(maler, QPointF(0, y), kontext.cursorPosition - anfang, cursorbreite);
        }
        y += hoehe;
    }
}

int CZeilenlayout::hitTest(const QPointF& punkt, Qt::HitTestAccuracy genauigkeit) const
{
    if (hoehen.empty())
        return -1;
    const qreal rand = document()->documentMargin();
    const qreal gesamt = oben(int(hoehen.size()));
    const qreal y = punkt.y() - rand;
    if (genauigkeit == Qt::ExactHit && (y < 0 || y >= gesamt))
        return -1;
    const int nummer = suche(qBound<qreal>(0, y, gesamt));
    const QTextBlock block = document()->findBlockByNumber(nummer);
    lege(block, nummer);
    const qreal innen = y - oben(nummer);
    const QTextLayout* absatz = block.layout();
    QTextLine zeile;
    for (int i = 0; i < absatz->lineCount(); ++i) {
        zeile = absatz->lineAt(i);
        if (innen < zeile.y() + zeile.height())
            break;
    }
    if (!zeile.isValid())
        return genauigkeit == Qt::ExactHit ? -1 : block.position();
    if (genauigkeit == Qt::ExactHit
        && (innen < zeile.y() || punkt.x() < zeile.x() || punkt.x() > zeile.x() + zeile.naturalTextWidth()))
        return -1;
    return block.position() + zeile.xToCursor(punkt.x());
}
