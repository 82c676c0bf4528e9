#include "clogsubwidget.h"
#include "gui.h"

#include <QColor>

CLogSubWidget::CLogSubWidget(QWidget* eltern, const CQString& name) : CTextEdit(eltern, name)
{
    setze_hintergrundfarbe(this, QColor(255, 255, 255));
    setReadOnly(true);
}

void CLogSubWidget::slotAppend(QString text)
{
    if (!text.isEmpty())
        append(text);
    emit signalSizeChanged(this);
    repaint();
}

void CLogSubWidget::slotClear()
{
    emit signalSizeChanged(this);
    repaint();
}
