#include "zeilenpuffer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

const QEvent::Type anhaengen_event = static_cast<QEvent::Type>(QEvent::registerEventType());

// Longest time one pass spends appending (layout included); lines appended in one edit, between
// two looks at the clock.
constexpr qint64 scheibe_ms = 8;
constexpr int zeilen_je_edit = 64;

// Characters without a break opportunity from which a line is not wrapped: breaking such a run
// costs time that grows with the square of its length (a minute and a half for a million).
constexpr int laengste_umbrochene_folge = 4096;

bool hat_lange_folge(const QString& zeile)
{
    if (zeile.size() <= laengste_umbrochene_folge)
        return false;
    int folge = 0;
    for (const QChar c : zeile) {
        folge = c.isSpace() ? 0 : folge + 1;
        if (folge > laengste_umbrochene_folge)
            return true;
    }
    return false;
}

// The message functions send every line as its text and "<br>". When the text holds nothing that
// the HTML parser reads otherwise than as it stands (markup, entities, runs of blanks, other white
// space, control characters), the line is that text and a line break: inserted so without the
// parser, which costs as much as laying the line out. The text's length, else -1.
int schlichter_text(const QString& zeile)
{
    static const QLatin1String umbruch("<br>");
    if (!zeile.endsWith(umbruch))
        return -1;
    const int laenge = zeile.size() - umbruch.size();
    if (laenge == 0 || zeile.at(0) == QLatin1Char(' ') || zeile.at(laenge - 1) == QLatin1Char(' '))
        return -1;
    QChar vorher;
    for (int i = 0; i < laenge; ++i) {
        const QChar c = zeile.at(i);
        if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('&') || c.unicode() < 0x20
            || (c.isSpace() && (c != QLatin1Char(' ') || vorher == QLatin1Char(' '))))
            return -1;
        vorher = c;
    }
    return laenge;
}

} // namespace

CZeilenpuffer::CZeilenpuffer(QTextEdit* ziel, std::function<void(qint64)> angehaengt)
    : QObject(ziel), ziel(ziel), angehaengt(std::move(angehaengt))
{
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
    fordere_an();
}

void CZeilenpuffer::schreibe()
{
    haenge_an(-1);
}

void CZeilenpuffer::fordere_an()
{
    if (angefordert)
        return;
    angefordert = true;
    // Behind every event posted so far: the append takes all lines of this pass at once.
    QCoreApplication::postEvent(this, new QEvent(anhaengen_event));
}

void CZeilenpuffer::customEvent(QEvent* e)
{
    if (e->type() != anhaengen_event)
        return;
    angefordert = false;
    // A hidden view waits for its show event.
    if (nur_sichtbar && ziel && !ziel->isVisible())
        return;
    haenge_an(scheibe_ms);
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
    QScrollBar* leiste = ziel->verticalScrollBar();
    const bool am_ende = ziel->isReadOnly() ? leiste->value() >= leiste->maximum() : ziel->textCursor().atEnd();
    // The formats QTextEdit::append gives a new paragraph: those at the view's cursor.
    const QTextCursor sicht = ziel->textCursor();
    const QTextBlockFormat absatz = sicht.blockFormat();
    QTextBlockFormat ungebrochen = absatz;
    ungebrochen.setNonBreakableLines(true);
    const QTextCharFormat zeichen = sicht.charFormat();
    QTextDocument* dokument = ziel->document();
    // Laying out the lines is most of the work, shaping them the larger part of that: a log needs
    // no kerning or ligatures, and scripts that need shaping still get it.
    QFont schrift = dokument->defaultFont();
    if (!(schrift.styleStrategy() & QFont::PreferNoShaping)) {
        schrift.setStyleStrategy(static_cast<QFont::StyleStrategy>(schrift.styleStrategy() | QFont::PreferNoShaping));
        dokument->setDefaultFont(schrift);
    }
    QTextCursor cursor(dokument);
    qint64 anzahl = 0;
    while (!ist_leer()) {
        // One edit for a group of lines: the document is laid out and the scroll bar adjusted
        // once for all of them.
        cursor.beginEditBlock();
        cursor.movePosition(QTextCursor::End);
        const int bis = qMin(ausstehend.size(), naechste + zeilen_je_edit);
        for (; naechste < bis; ++naechste) {
            const QString& zeile = ausstehend.at(naechste);
            // A line with a very long run stays one line, as wide as it is.
            const QTextBlockFormat& format = hat_lange_folge(zeile) ? ungebrochen : absatz;
            if (dokument->isEmpty()) {
                cursor.setBlockFormat(format);
                cursor.setCharFormat(zeichen);
            } else {
                cursor.insertBlock(format, zeichen);
            }
            if (const int schlicht = schlichter_text(zeile); schlicht >= 0)
                cursor.insertText(zeile.left(schlicht) + QChar(QChar::LineSeparator));
            else if (Qt::mightBeRichText(zeile))
                cursor.insertHtml(zeile);
            else
                cursor.insertText(zeile);
            anzahl += zeile.size();
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
    if (am_ende)
        leiste->setValue(leiste->maximum());
    if (angehaengt)
        angehaengt(anzahl);
}
