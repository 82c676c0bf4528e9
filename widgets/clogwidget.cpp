#include "clogwidget.h"
#include "clogsubwidget.h"

#include <QFont>
#include <QGridLayout>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextOption>

CLogWidget::CLogWidget(QWidget* eltern, const CQString&, Qt::WindowFlags flags)
    : QFrame(eltern, flags), raster(new QGridLayout(this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    raster->setRowStretch(0, 1);
    raster->setRowStretch(1, 0);
    raster->setColumnStretch(0, 1);
    raster->setColumnStretch(1, 0);
    raster->setContentsMargins(1, 1, 1, 1);
}

CLogSubWidget* CLogWidget::erzeuge_seite()
{
    auto* seite = new CLogSubWidget(this, CQString("textview"));
    seite->setWordWrapMode(QTextOption::NoWrap);
    QFont schrift(QStringLiteral("Courier"));
    schrift.setPointSizeF(10.0);
    seite->setFont(schrift);
    return seite;
}

CLogSubWidget* CLogWidget::erzeuge_ansicht(bool mit_tabs)
{
    aktuelle_seite = nullptr;
    if (!mit_tabs) {
        aktuelle_seite = erzeuge_seite();
        raster->addWidget(aktuelle_seite, 0, 0);
        return aktuelle_seite;
    }
    tabbar = new QTabBar(this);
    tabbar->setShape(QTabBar::TriangularSouth);
    raster->addWidget(tabbar, 1, 0);
    stapel = new QStackedWidget(this);
    raster->addWidget(stapel, 0, 0);
    connect(tabbar, &QTabBar::currentChanged, this, &CLogWidget::slotTabBarSelected);
    return nullptr;
}

CLogSubWidget* CLogWidget::neue_seite(const CQString& tab_name)
{
    if (!tabbar)
        return nullptr;
    CLogSubWidget* seite = erzeuge_seite();
    const int index = tabbar->addTab(tab_name);
    stapel->insertWidget(index, seite);
    connect(seite, &CLogSubWidget::signalSizeChanged, this, &CLogWidget::slotWidgetSizeChanged);
    return seite;
}

void CLogWidget::setCurrentPage(int i)
{
    if (!tabbar)
        return;
    if (tabbar->currentIndex() == i)
        stapel->setCurrentIndex(i);
    else
        tabbar->setCurrentIndex(i);
}

void CLogWidget::slotWidgetSizeChanged(CLogSubWidget*) {}

void CLogWidget::slotTabBarSelected(int i)
{
    if (stapel)
        stapel->setCurrentIndex(i);
}
