#include "zeilenpuffer.h"
#include "adressraum.h"
#include "auswahlkopie.h"
#include "zeilenlayout.h"

#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStringView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtMath>

namespace {

const QEvent::Type anhaengen_event = static_cast<QEvent::Type>(QEvent::registerEventType());

// Longest time one pass spends appending (layout included); lines appended in one edit, between
// two looks at the clock; the least time between the starts of two passes while lines trickle in.
constexpr qint64 scheibe_ms = 8;
constexpr int zeilen_je_edit = 64;
constexpr qint64 pass_abstand_ms = 16;

// Qt's text document cannot survive an allocation that fails: the program ends. Lines are
// appended only while the process has room left for the window's other work (painting, the box at
// a job's end) and for the document's next growth, which may copy its text whole.
bool hat_raum_fuer_zeilen(const QTextDocument* dokument)
{
    constexpr std::size_t fuer_das_fenster = std::size_t(16) << 20;
    return hat_adressraum(fuer_das_fenster + std::size_t(dokument->characterCount()) * 8);
}


// A line as the message functions make it: the escaped text, in a span of its colour or plain, and
// maybe a line break ("<br>").
struct SchlichteZeile
{
    QString text;
    QColor farbe;
    bool umbruch = false;
};

// The entities the message functions write, and what they stand for.
QChar entitaet(QStringView name)
{
    static const struct
    {
        const char* name;
        char16_t zeichen;
    } tabelle[] = {{"amp", u'&'},       {"lt", u'<'},         {"gt", u'>'},         {"quot", u'"'},
                   {"ge", u'\u2265'},   {"le", u'\u2264'},     {"nbsp", u'\u00a0'},   {"#233", u'\u00e9'},
                   {"#201", u'\u00c9'}, {"auml", u'\u00e4'},   {"Auml", u'\u00c4'},   {"ouml", u'\u00f6'},
                   {"Ouml", u'\u00d6'}, {"uuml", u'\u00fc'},   {"Uuml", u'\u00dc'},   {"szlig", u'\u00df'}};
    for (const auto& e : tabelle)
        if (name == QLatin1String(e.name))
            return QChar(e.zeichen);
    return QChar();
}

// Reads the text of an element as the HTML parser does: entities decoded, white space folded (none
// at the start, a run as one blank); false for markup, other entities, control characters.
bool lies_text(QStringView rest, QString& text)
{
    text.clear();
    text.reserve(rest.size());
    for (int i = 0; i < rest.size(); ++i) {
        QChar c = rest.at(i);
        if (c == QLatin1Char('&')) {
            const int ende = rest.indexOf(QLatin1Char(';'), i + 1);
            if (ende < 0 || ende - i > 6)
                return false;
            c = entitaet(rest.mid(i + 1, ende - i - 1));
            if (c.isNull())
                return false;
            i = ende;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            // White space as the parser reads it: none at the start, a run as one blank.
            if (!text.isEmpty() && !text.endsWith(QLatin1Char(' ')))
                text += QLatin1Char(' ');
            continue;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c.unicode() < 0x20 || c.isSpace()) {
            return false;
        }
        text += c;
    }
    return true;
}

// Reads a line of that form into its parts, its text as the HTML parser reads it (entities
// decoded, white space folded); false for any other line, and for a text with anything more
// (markup, other entities, other white space, control characters). Such lines are inserted without
// the parser, which costs as much as laying the line out.
bool lies_schlichte_zeile(const QString& zeile, SchlichteZeile& teile)
{
    static const QLatin1String umbruch("<br>");
    static const QLatin1String span_anfang("<span style=\"color:#");
    static const QLatin1String span_ende("</span>");
    QStringView rest(zeile);
    teile.umbruch = rest.endsWith(umbruch);
    if (teile.umbruch)
        rest.chop(umbruch.size());
    teile.farbe = QColor();
    if (rest.startsWith(span_anfang)) {
        constexpr int hex = 6;
        const int kopf = span_anfang.size() + hex + 2;
        if (!rest.endsWith(span_ende) || rest.size() < kopf + span_ende.size()
            || rest.mid(span_anfang.size() + hex, 2) != QLatin1String("\">"))
            return false;
        // The '#' ends the span's head.
        teile.farbe.setNamedColor(rest.mid(span_anfang.size() - 1, hex + 1));
        if (!teile.farbe.isValid())
            return false;
        rest = rest.mid(kopf, rest.size() - kopf - span_ende.size());
    } else if (!teile.umbruch) {
        return false;
    }
    return lies_text(rest, teile.text) && !teile.text.isEmpty();
}

// Whether a paragraph of this text runs left to right by its content, as QTextBlock::textDirection
// decides it: its first character of a strong direction is a left-to-right one, or it has none.
bool laeuft_nach_rechts(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        uint zeichen = text.at(i).unicode();
        if (QChar::isHighSurrogate(zeichen) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            zeichen = QChar::surrogateToUcs4(zeichen, text.at(i).unicode());
        }
        switch (QChar::direction(zeichen)) {
        case QChar::DirL:
            return true;
        case QChar::DirR:
        case QChar::DirAL:
            return false;
        default:
            break;
        }
    }
    return true;
}

// A table of plain text cells, as a worker lists records: its rows, each with the same number of
// cells, and whether a line break follows it.
struct Tabelle
{
    QVector<QStringList> zeilen;
    bool umbruch = false;
};

// Reads `<table ...>`, rows of `<tr>` and `<td>text</td>` cells, `</table>` and maybe "<br/>" or
// "<br>"; false for anything more (markup in a cell, rows of different lengths, no row).
bool lies_tabelle(const QString& zeile, Tabelle& tabelle)
{
    static const QLatin1String tabelle_ende("</table>");
    if (!zeile.startsWith(QLatin1String("<table")))
        return false;
    QStringView rest(zeile);
    tabelle.umbruch = false;
    for (const QLatin1String umbruch : {QLatin1String("<br/>"), QLatin1String("<br>")}) {
        if (rest.endsWith(umbruch)) {
            rest.chop(umbruch.size());
            tabelle.umbruch = true;
            break;
        }
    }
    const int kopf = int(rest.indexOf(QLatin1Char('>')));
    if (kopf < 0 || rest.left(kopf).lastIndexOf(QLatin1Char('<')) != 0 || !rest.endsWith(tabelle_ende))
        return false;
    rest = rest.mid(kopf + 1, rest.size() - kopf - 1 - tabelle_ende.size());
    tabelle.zeilen.clear();
    const auto nimm = [&rest](QLatin1String marke) {
        if (!rest.startsWith(marke))
            return false;
        rest = rest.mid(marke.size());
        return true;
    };
    QString text;
    while (nimm(QLatin1String("<tr>"))) {
        QStringList zellen;
        while (nimm(QLatin1String("<td>"))) {
            const int ende = int(rest.indexOf(QLatin1String("</td>")));
            if (ende < 0 || !lies_text(rest.left(ende), text))
                return false;
            zellen << text;
            rest = rest.mid(ende + 5);
        }
        if (!nimm(QLatin1String("</tr>")) || zellen.isEmpty()
            || (!tabelle.zeilen.isEmpty() && zellen.size() != tabelle.zeilen.front().size()))
            return false;
        tabelle.zeilen << zellen;
    }
    return rest.isEmpty() && !tabelle.zeilen.isEmpty();
}

} // namespace

// The table whose rows were appended last, while they end the text: the rows of a table that
// follows at once continue it. Its first and last paragraph and their format, the widths of its
// columns; the widths of characters in the font they were measured in.
struct CZeilenpuffer::CTabellenlauf
{
    int erster = -1;
    int letzter = -1;
    QTextBlockFormat format;
    QVector<qreal> spalten;
    QFont schrift;
    QHash<QChar, qreal> zeichenbreiten;

    qreal breite(const QString& text, const QFontMetricsF& masse);
    // Appends the rows, each a paragraph in the columns of the table; the paragraphs appended.
    int haenge_an(QTextCursor& cursor, const Tabelle& tabelle, const QTextBlockFormat& absatz,
                  const QTextCharFormat& zeichen);
};

qreal CZeilenpuffer::CTabellenlauf::breite(const QString& text, const QFontMetricsF& masse)
{
    // Characters before the combining marks are laid out one by one (the buffer turns shaping
    // off): their widths add up. A text with others is measured as a whole.
    qreal summe = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x300)
            return masse.horizontalAdvance(text);
        auto breite = zeichenbreiten.constFind(c);
        if (breite == zeichenbreiten.constEnd())
            breite = zeichenbreiten.insert(c, masse.horizontalAdvance(c));
        summe += *breite;
    }
    return summe;
}

int CZeilenpuffer::CTabellenlauf::haenge_an(QTextCursor& cursor, const Tabelle& tabelle, const QTextBlockFormat& absatz,
                                            const QTextCharFormat& zeichen)
{
    QTextDocument* dokument = cursor.document();
    const int spaltenzahl = tabelle.zeilen.front().size();
    // The document keeps equal formats apart when they hold tab stops: the columns tell.
    const QTextBlockFormat letztes = dokument->lastBlock().blockFormat();
    if (erster < 0 || letzter != dokument->blockCount() - 1 || spalten.size() != spaltenzahl
        || !CZeilenlayout::ist_tabellenzeile(letztes) || letztes.tabPositions() != format.tabPositions()) {
        erster = -1;
        spalten = QVector<qreal>(spaltenzahl, 0);
    }
    if (schrift != dokument->defaultFont()) {
        schrift = dokument->defaultFont();
        zeichenbreiten.clear();
    }
    const QFontMetricsF masse(schrift);
    QVector<qreal> breiten = spalten;
    for (const QStringList& zeile : tabelle.zeilen)
        for (int k = 0; k < spaltenzahl; ++k)
            breiten[k] = qMax(breiten[k], breite(zeile[k], masse));
    format = CZeilenlayout::tabellenzeile(absatz, breiten);
    if (erster >= 0 && breiten != spalten) {
        // A wider cell widens its column in the rows before it too, in an edit of its own: within
        // that of the lines appended the document told of one change from the first row to its
        // end, as if the text there had been replaced, and a copy of the text under way for a save
        // or a print gave up.
        cursor.endEditBlock();
        QTextCursor vorige(dokument->findBlockByNumber(erster));
        vorige.setPosition(dokument->lastBlock().position(), QTextCursor::KeepAnchor);
        vorige.setBlockFormat(format);
        cursor.beginEditBlock();
    }
    spalten = breiten;
    for (const QStringList& zeile : tabelle.zeilen) {
        if (dokument->isEmpty()) {
            cursor.setBlockFormat(format);
            cursor.setCharFormat(zeichen);
        } else {
            cursor.insertBlock(format, zeichen);
        }
        cursor.insertText(zeile.join(QLatin1Char('\t')), zeichen);
        if (erster < 0)
            erster = dokument->blockCount() - 1;
    }
    letzter = dokument->blockCount() - 1;
    if (!tabelle.umbruch)
        return tabelle.zeilen.size();
    cursor.insertBlock(absatz, zeichen);
    return tabelle.zeilen.size() + 1;
}

bool hat_lange_folge(const QString& text)
{
    // Characters without a break opportunity from which breaking costs noticeable time.
    constexpr int laengste_umbrochene_folge = 4096;
    if (text.size() <= laengste_umbrochene_folge)
        return false;
    int folge = 0;
    for (const QChar c : text) {
        folge = c.isSpace() ? 0 : folge + 1;
        if (folge > laengste_umbrochene_folge)
            return true;
    }
    return false;
}

CZeilenpuffer::CZeilenpuffer(QTextEdit* ziel, std::function<void()> angehaengt)
    : QObject(ziel), ziel(ziel), angehaengt(std::move(angehaengt))
{
    // A log that nobody edits is laid out as far as it is seen.
    if (ziel->isReadOnly() && CZeilenlayout::passt_zu(ziel->document()))
        ziel->document()->setDocumentLayout(new CZeilenlayout(ziel->document()));
    // Its copy of a million lines held the window for seconds.
    if (!ziel->findChild<CAuswahlkopie*>(QString(), Qt::FindDirectChildrenOnly))
        new CAuswahlkopie(ziel);
    QScrollBar* leiste = ziel->verticalScrollBar();
    letzter_wert = leiste->value();
    folgt_ende = am_ende(letzter_wert);
    // The scroll bar's own moves (drag, click, wheel, the keys the scroll area handles): at the
    // action the slider already stands where the move ends. An action that leaves the value as it
    // is (End at the end) decides as well.
    connect(leiste, &QAbstractSlider::actionTriggered, this, [this, leiste](int) {
        folgt_ende = am_ende(leiste->sliderPosition());
    });
    // The text area scrolls by setting the value, without any action: a search, the cursor moved
    // by keys and kept in sight.
    connect(leiste, &QAbstractSlider::valueChanged, this, &CZeilenpuffer::wert_geaendert);
    // The range grows with every layout step, a smaller or newly shown window, and the lines
    // appended: each time a view that follows goes with it.
    connect(leiste, &QAbstractSlider::rangeChanged, this, &CZeilenpuffer::folge_dem_ende);
}

CZeilenpuffer::~CZeilenpuffer() = default;

bool CZeilenpuffer::am_ende(int wert) const
{
    // Moving the cursor to the end brings the last line into sight but leaves the document's
    // bottom margin below it.
    const int maximum = ziel->verticalScrollBar()->maximum();
    return wert >= maximum - qCeil(ziel->document()->documentMargin());
}

void CZeilenpuffer::wert_geaendert(int wert)
{
    if (!ziel)
        return;
    // A value above the maximum was pulled down by a smaller range (a larger window, a hidden
    // one): the view moved, its user did not.
    const bool geklemmt = letzter_wert > ziel->verticalScrollBar()->maximum();
    letzter_wert = wert;
    if (!geklemmt)
        folgt_ende = am_ende(wert);
}

void CZeilenpuffer::folge_dem_ende()
{
    if (ziel && ziel->isReadOnly() && folgt_ende && !haengt_an) {
        QScrollBar* leiste = ziel->verticalScrollBar();
        leiste->setValue(leiste->maximum());
    }
}

void CZeilenpuffer::setze_nur_sichtbar(bool an)
{
    if (nur_sichtbar == an)
        return;
    nur_sichtbar = an;
    if (!ziel)
        return;
    if (an)
        ziel->installEventFilter(this);
    else
        ziel->removeEventFilter(this);
    if (!ist_leer())
        fordere_an();
}

bool CZeilenpuffer::eventFilter(QObject*, QEvent* e)
{
    // Installed on the text area only; its events reach here while it is destroyed, too.
    if (e->type() == QEvent::Show && !ist_leer())
        fordere_an();
    return false;
}

void CZeilenpuffer::nimm(const QString& zeile)
{
    ausstehend << zeile;
    ++genommen;
    fordere_an();
}

void CZeilenpuffer::schreibe()
{
    haenge_an(-1);
}

std::function<int(qint64)> CZeilenpuffer::nachtrag()
{
    const auto angehaengt = [](const CZeilenpuffer& puffer) {
        return puffer.genommen - quint64(puffer.ausstehend.size() - puffer.naechste);
    };
    const quint64 von = angehaengt(*this);
    const quint64 bis = genommen;
    return [puffer = QPointer<CZeilenpuffer>(this), angehaengt, von, bis](qint64 bis_ms) {
        if (!puffer)
            return 1000;
        if (angehaengt(*puffer) < bis)
            puffer->haenge_an(qMax<qint64>(bis_ms, 0));
        const quint64 drin = angehaengt(*puffer);
        return drin >= bis ? 1000 : static_cast<int>((drin - von) * 1000 / (bis - von));
    };
}

void CZeilenpuffer::fordere_an()
{
    if (angefordert)
        return;
    angefordert = true;
    const auto poste = [this] {
        // Behind every event posted so far: the append takes all lines of this pass at once.
        QCoreApplication::postEvent(this, new QEvent(anhaengen_event));
    };
    // Lines left by a pass that ran out of time go on at once.
    const qint64 warten = pass_leerte && seit_pass.isValid() ? pass_abstand_ms - seit_pass.elapsed() : 0;
    if (warten > 0)
        QTimer::singleShot(int(warten), this, poste);
    else
        poste();
}

void CZeilenpuffer::customEvent(QEvent* e)
{
    if (e->type() != anhaengen_event)
        return;
    angefordert = false;
    // A hidden view waits for its show event.
    if (nur_sichtbar && ziel && !ziel->isVisible())
        return;
    seit_pass.start();
    haenge_an(scheibe_ms);
    pass_leerte = ist_leer();
    if (!ist_leer())
        fordere_an();
}

void CZeilenpuffer::haenge_an(qint64 bis_ms)
{
    if (ist_leer())
        return;
    if (!ziel) {
        ausstehend.clear();
        naechste = 0;
        return;
    }
    QElapsedTimer uhr;
    uhr.start();
    const bool cursor_am_ende = !ziel->isReadOnly() && ziel->textCursor().atEnd();
    // The formats QTextEdit::append gives a new paragraph: those at the view's cursor.
    const QTextCursor sicht = ziel->textCursor();
    // Not that of a table's row, in which the cursor of a view that was never moved stands when
    // its text began with a table: as in a table of the document, the cell's own.
    const QTextBlockFormat absatz =
        CZeilenlayout::ist_tabellenzeile(sicht.blockFormat()) ? QTextBlockFormat() : sicht.blockFormat();
    const QTextCharFormat zeichen = sicht.charFormat();
    QTextDocument* dokument = ziel->document();
    // The paragraph formats, by [a very long run][left to right given]. A paragraph whose
    // direction nothing sets is searched for its first character of a strong direction at every
    // layout; a plain line's paragraph that this search would find left to right is given that
    // direction, which lays it out the same.
    const bool richtung_offen = absatz.layoutDirection() == Qt::LayoutDirectionAuto
                                && dokument->defaultTextOption().textDirection() == Qt::LayoutDirectionAuto;
    QTextBlockFormat formate[2][2] = {{absatz, absatz}, {absatz, absatz}};
    for (QTextBlockFormat& format : formate[1])
        format.setNonBreakableLines(true);
    formate[0][1].setLayoutDirection(Qt::LeftToRight);
    formate[1][1].setLayoutDirection(Qt::LeftToRight);
    // Laying out the lines is most of the work, shaping them the larger part of that: a log needs
    // no kerning or ligatures, and scripts that need shaping still get it.
    QFont schrift = dokument->defaultFont();
    if (!(schrift.styleStrategy() & QFont::PreferNoShaping)) {
        schrift.setStyleStrategy(static_cast<QFont::StyleStrategy>(schrift.styleStrategy() | QFont::PreferNoShaping));
        dokument->setDefaultFont(schrift);
    }
    QTextCursor cursor(dokument);
    SchlichteZeile schlicht;
    // The format of the last colour: the lines of a log share a few colours, and a format made
    // anew for each line is compared with those of the document as a whole every time.
    QColor letzte_farbe;
    QTextCharFormat farbformat = zeichen;
    // The view follows the end once, after all groups: the range it would follow after each group
    // is never painted.
    const QScopedValueRollback<bool> im_anhaengen(haengt_an, true);
    Tabelle tabelle;
    while (!ist_leer()) {
        if (!hat_raum_fuer_zeilen(dokument)) {
            // The lines without room are dropped (the log keeps them), and the view says so once.
            ausstehend.clear();
            naechste = 0;
            if (!raum_fehlte) {
                cursor.movePosition(QTextCursor::End);
                cursor.insertBlock(absatz, zeichen);
                cursor.insertText(QCoreApplication::translate(
                    "CZeilenpuffer", "Zu wenig Arbeitsspeicher: weitere Zeilen werden hier nicht angezeigt"));
            }
            raum_fehlte = true;
            break;
        }
        raum_fehlte = false;
        // One edit for a group of lines: the document is laid out and the scroll bar adjusted
        // once for all of them.
        cursor.beginEditBlock();
        cursor.movePosition(QTextCursor::End);
        for (int absaetze = 0; naechste < ausstehend.size() && absaetze < zeilen_je_edit; ++naechste) {
            const QString& zeile = ausstehend.at(naechste);
            // A table of plain text cells is no table of the document but a paragraph per row,
            // which is appended (and laid out) as fast as any other line.
            if (lies_tabelle(zeile, tabelle)) {
                if (!tabellenlauf)
                    tabellenlauf = std::make_unique<CTabellenlauf>();
                absaetze += tabellenlauf->haenge_an(cursor, tabelle, absatz, zeichen);
                continue;
            }
            ++absaetze;
            const bool ist_schlicht = lies_schlichte_zeile(zeile, schlicht);
            // A line with a very long run stays one line, as wide as it is.
            const QTextBlockFormat& format =
                formate[hat_lange_folge(zeile)][richtung_offen && ist_schlicht && laeuft_nach_rechts(schlicht.text)];
            if (dokument->isEmpty()) {
                cursor.setBlockFormat(format);
                cursor.setCharFormat(zeichen);
            } else {
                cursor.insertBlock(format, zeichen);
            }
            if (ist_schlicht) {
                if (schlicht.farbe != letzte_farbe) {
                    letzte_farbe = schlicht.farbe;
                    farbformat = zeichen;
                    if (letzte_farbe.isValid())
                        farbformat.setForeground(letzte_farbe);
                }
                cursor.insertText(schlicht.text, farbformat);
                // The break follows the span, in the paragraph's own format.
                if (schlicht.umbruch)
                    cursor.insertText(QString(QChar(QChar::LineSeparator)), zeichen);
            } else if (Qt::mightBeRichText(zeile))
                cursor.insertHtml(zeile);
            else
                cursor.insertText(zeile);
        }
        cursor.endEditBlock();
        if (bis_ms >= 0 && uhr.elapsed() >= bis_ms)
            break;
    }
    // The lines appended are freed; a long queue is not moved for every slice.
    if (ist_leer()) {
        ausstehend.clear();
        naechste = 0;
    } else if (naechste > ausstehend.size() / 2) {
        ausstehend.erase(ausstehend.begin(), ausstehend.begin() + naechste);
        naechste = 0;
    }
    haengt_an = false;
    if (ziel->isReadOnly() && folgt_ende)
        if (auto* layout = dynamic_cast<CZeilenlayout*>(dokument->documentLayout()))
            layout->lege_ende(ziel->viewport()->height());
    if (cursor_am_ende)
        ziel->verticalScrollBar()->setValue(ziel->verticalScrollBar()->maximum());
    else
        folge_dem_ende();
    if (angehaengt)
        angehaengt();
}
