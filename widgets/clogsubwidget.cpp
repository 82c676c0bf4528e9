#include "clogsubwidget.h"
#include "gui.h"
#include "zeilenpuffer.h"

#include <QColor>

CLogSubWidget::CLogSubWidget(QWidget* eltern, const CQString& name) : CTextEdit(eltern, name)
{
    setze_hintergrundfarbe(this, QColor(255, 255, 255));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    puffer = new CZeilenpuffer(this, [this] { angehaengt(); });
    // The dock is hidden most of the time, yet every log line of the program comes here.
    puffer->setze_nur_sichtbar(true);
}

void CLogSubWidget::zeige_ausstehende()
{
    if (puffer)
        puffer->schreibe();
}

std::function<int(qint64)> CLogSubWidget::nachtrag()
{
    if (!puffer)
        return {};
    return puffer->nachtrag();
}

void CLogSubWidget::slotAppend(QString text)
{
    if (text.isEmpty() || !puffer)
        angehaengt();
    else
        puffer->nimm(text);
}

void CLogSubWidget::slotClear()
{
    angehaengt();
}

void CLogSubWidget::angehaengt()
{
    emit signalSizeChanged(this);
    update();
}
