#include "schrittlayout.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimerEvent>
#include <QtMath>

namespace {

// Work in one turn of the event loop.
constexpr qint64 schritt_ms = 20;

// Characters above the view's top that a new width lays out at once rather than from the top.
constexpr int sofort_bis = 20000;

} // namespace

CSchrittlayout::CSchrittlayout(QTextEdit* ansicht_) : QObject(ansicht_), ansicht(ansicht_)
{
    folge_dokument();
}

CSchrittlayout::~CSchrittlayout()
{
    if (layout)
        layout->removeEventFilter(this);
}

void CSchrittlayout::folge_dokument()
{
    if (layout)
        layout->removeEventFilter(this);
    if (dokument)
        disconnect(dokument, nullptr, this, nullptr);
    dokument = ansicht->document();
    layout = dokument->documentLayout();
    layout->installEventFilter(this);
    connect(dokument, &QTextDocument::documentLayoutChanged, this, &CSchrittlayout::folge_dokument);
    gelegt_bis = 0;
    letzter_block = -1;
    wartet_auf = -1;
    wartendes = nullptr;
}

bool CSchrittlayout::hat_gelegt(int position) const
{
    if (!dokument || (position <= gelegt_bis && !neu_begonnen()))
        return true;
    const QTextBlock block = dokument->findBlock(position);
    return !block.isValid() || (block.layout() && block.layout()->lineCount() > 0);
}

void CSchrittlayout::wenn_gelegt(int position, std::function<void()> aktion)
{
    wartet_auf = position;
    wartendes = std::move(aktion);
    pruefe_wartendes();
}

int CSchrittlayout::vor_neuer_breite()
{
    QScrollBar* const leiste = ansicht->verticalScrollBar();
    if (!dokument || leiste->value() == 0)
        return -1;
    // Just inside the text: left of it, in the margin, a table's row finds only where its
    // table begins, hundreds of rows above.
    const int oben = ansicht->cursorForPosition(QPoint(qCeil(dokument->documentMargin()) + 1, 0)).position();
    if (oben < sofort_bis)
        return -1;
    leiste->setValue(0);
    return oben;
}

void CSchrittlayout::zeige_wieder(int position)
{
    // A place near what is laid out is shown at once: an anchor in a short report, say.
    if (position >= 0 && position - gelegt_bis < sofort_bis && !neu_begonnen())
        gehe_zu(position);
    else if (position >= 0)
        wenn_gelegt(position, [this, position] { gehe_zu(position); });
}

void CSchrittlayout::gehe_zu(int position)
{
    const QTextBlock block = dokument->findBlock(position);
    if (!block.isValid())
        return;
    const qreal y = layout->blockBoundingRect(block).top();
    // A view's height below it laid out too, or the view's range would hold it above the place:
    // no more than a screen's blocks, laid out here at once.
    const qreal unten = y + ansicht->viewport()->height();
    for (QTextBlock weiter = block; weiter.isValid(); weiter = weiter.next())
        if (weiter.isVisible() && layout->blockBoundingRect(weiter).bottom() >= unten)
            break;
    // The view learns of the height laid out a turn of the event loop later.
    QScrollBar* const leiste = ansicht->verticalScrollBar();
    leiste->setMaximum(qMax(leiste->maximum(), qRound(y)));
    leiste->setValue(qRound(y));
}

bool CSchrittlayout::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt != layout || ereignis->type() != QEvent::Timer
        || !ist_layouttakt(static_cast<QTimerEvent*>(ereignis)->timerId()))
        return QObject::eventFilter(objekt, ereignis);
    schritt();
    return true;
}

bool CSchrittlayout::ist_layouttakt(int timer_id) const
{
    // The layout's step timer runs at an interval; the one that reports a new size at none.
    QAbstractEventDispatcher* const verteiler = QAbstractEventDispatcher::instance(layout->thread());
    if (!verteiler)
        return false;
    for (const QAbstractEventDispatcher::TimerInfo& takt : verteiler->registeredTimers(layout))
        if (takt.timerId == timer_id)
            return takt.interval > 0;
    return false;
}

bool CSchrittlayout::neu_begonnen() const
{
    if (letzter_block < 0)
        return false;
    const QTextBlock block = dokument->findBlockByNumber(letzter_block);
    return block.isValid() && block.layout() && block.layout()->lineCount() == 0;
}

void CSchrittlayout::schritt()
{
    // A view no one sees is laid out once it shows: a page that only prints or saves its report
    // leaves the GUI thread to that work.
    if (!dokument || !layout || !ansicht->isVisible())
        return;
    if (neu_begonnen()) {
        gelegt_bis = 0;
        letzter_block = -1;
    }
    QElapsedTimer uhr;
    uhr.start();
    // Block by block: a block laid out already costs a lookup, one that is not lays the
    // document out up to it (a table part, or the paragraphs up to the layout's next mark).
    QTextBlock block = dokument->findBlock(gelegt_bis);
    while (block.isValid() && uhr.elapsed() < schritt_ms) {
        if (block.isVisible()) {
            layout->blockBoundingRect(block);
            if (block.length() > 1)
                letzter_block = block.blockNumber();
        }
        gelegt_bis = block.position() + block.length();
        block = block.next();
    }
    pruefe_wartendes();
}

void CSchrittlayout::pruefe_wartendes()
{
    if (!wartendes || !hat_gelegt(wartet_auf))
        return;
    const std::function<void()> aktion = std::move(wartendes);
    wartendes = nullptr;
    aktion();
}
