#include "cqworkspace.h"
#include "coutlookinterface.h"

#include <QAction>
#include <QDebug>
#include <QDragEnterEvent>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

// The interface finishes its work on a drop (bridge programs, temporary copies) before the
// collected files are delivered.
constexpr int lieferung_nach_ms = 500;

// A window's minimum size, each side from its size hint when none is set.
QSize mindestgroesse(const QWidget* fenster)
{
    const QSize gesetzt = fenster->minimumSize();
    const QSize hinweis = fenster->minimumSizeHint();
    return QSize(gesetzt.width() < 1 ? hinweis.width() : gesetzt.width(),
                 gesetzt.height() < 1 ? hinweis.height() : gesetzt.height());
}

// Drops can be enabled before an interface is installed: without one every drag and drop event
// is ignored.
bool drag_angenommen(COutlook_Interface* oi, QDragEnterEvent* e)
{
    if (!oi) {
        e->ignore();
        return false;
    }
    return oi->pruefe_drag(e);
}

void folge_drag(COutlook_Interface* oi, QDragMoveEvent* e)
{
    if (!oi) {
        e->ignore();
        return;
    }
    e->setDropAction(e->proposedAction());
    e->accept();
}

void verlasse_drag(COutlook_Interface* oi, QDragLeaveEvent* e)
{
    e->setAccepted(oi != nullptr);
}

// Announces the drop through `melde`, then lets the interface collect it; true when a delivery
// is to follow.
template <typename Melde>
bool nimm_drop(COutlook_Interface* oi, QDropEvent* e, Melde melde)
{
    if (!oi) {
        e->ignore();
        return false;
    }
    melde(e->mimeData());
    return oi->action_dropEvent(e);
}

// The files the interface delivers, with their temporary flag; false when it has none (or the
// interface went away meanwhile).
bool hole_dateien(COutlook_Interface* oi, QStringList& dateien, bool& temporaer)
{
    if (!oi || !oi->action_dropFile())
        return false;
    dateien = oi->gib_dateien();
    temporaer = oi->geliefert_temporaer();
    return true;
}

// The same for XML files; only names of existing XML files are kept.
bool hole_xml_dateien(COutlook_Interface* oi, QStringList& dateien, bool& temporaer)
{
    if (!oi || !oi->action_dropXMLFile())
        return false;
    dateien.clear();
    for (const QString& name : oi->gib_xml_dateien()) {
        if (ist_xml_datei(name))
            dateien << name;
    }
    temporaer = oi->geliefert_temporaer();
    return !dateien.isEmpty();
}

} // namespace

CQWorkspace::CQWorkspace(QWidget* eltern) : QMdiArea(eltern), tabansicht(viewMode() == QMdiArea::TabbedView) {}

void CQWorkspace::resizeEvent(QResizeEvent* e)
{
    emit signalWSSizeChanged();
    QMdiArea::resizeEvent(e);
    passe_fenster_ein();
}

void CQWorkspace::passe_fenster_ein()
{
    if (viewMode() != QMdiArea::SubWindowView)
        return;
    // The room without scroll bars: they are what the fitting does away with.
    const QSize platz = maximumViewportSize();
    for (QMdiSubWindow* fenster : subWindowList()) {
        if (!fenster->isVisible() || fenster->isMinimized() || fenster->isMaximized())
            continue;
        const QSize minimum = mindestgroesse(fenster);
        QRect lage = fenster->geometry();
        lage.setWidth(qMin(lage.width(), qMax(platz.width(), minimum.width())));
        lage.setHeight(qMin(lage.height(), qMax(platz.height(), minimum.height())));
        lage.moveLeft(qMax(0, qMin(lage.left(), platz.width() - lage.width())));
        lage.moveTop(qMax(0, qMin(lage.top(), platz.height() - lage.height())));
        if (lage != fenster->geometry())
            fenster->setGeometry(lage);
    }
}

void CQWorkspace::anordnen(int art)
{
    setViewMode(QMdiArea::SubWindowView);
    tabansicht = false;
    switch (art) {
    case 0: cascadeSubWindows(); break;
    case 1: tileSubWindows(); break;
    case 2: stapele_in_zeilen(); break;
    default: break;
    }
}

void CQWorkspace::stapele_in_zeilen()
{
    const QList<QMdiSubWindow*> fenster = subWindowList();
    if (fenster.isEmpty())
        return;
    const int zeilenhoehe = height() / fenster.size();
    int breite = width();
    for (const QMdiSubWindow* f : fenster)
        breite = std::max(breite, mindestgroesse(f).width());
    for (QMdiSubWindow* f : fenster) {
        if (f->isMaximized()) {
            f->hide();
            f->showNormal();
        }
    }
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    int y = 0;
    for (QMdiSubWindow* f : fenster) {
        const int hoehe = std::max(zeilenhoehe, mindestgroesse(f).height());
        f->setGeometry(0, y, breite, hoehe);
        y += hoehe;
    }
}

bool CQWorkspace::setzeTabAnsicht(bool tabs)
{
    if (!tabs) {
        setViewMode(QMdiArea::SubWindowView);
    } else {
        // Tabs cannot stay on top: the hint and its system-menu entry go.
        const QString stay = tr("Stay");
        for (QMdiSubWindow* f : subWindowList()) {
            if (!f->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                continue;
            for (QAction* a : f->actions()) {
                const QString text = a->text();
                const int stelle = text.indexOf(stay);
                if (stelle == 0 || (stelle == 1 && text.startsWith(QLatin1Char('&')))) {
                    a->setChecked(false);
                    break;
                }
            }
            f->setWindowFlags(f->windowFlags() & ~Qt::WindowStaysOnTopHint);
            f->show();
        }
        setViewMode(QMdiArea::TabbedView);
        setTabsClosable(true);
    }
    tabansicht = viewMode() == QMdiArea::TabbedView;
    return tabansicht;
}

void CQWorkspace::dragEnterEvent(QDragEnterEvent* e)
{
    if (drag_angenommen(outlook, e))
        emit dragEntered(e, outlook->dateinamen_angeboten(), outlook->dateiinhalt_angeboten());
}

void CQWorkspace::dragMoveEvent(QDragMoveEvent* e)
{
    folge_drag(outlook, e);
}

void CQWorkspace::dragLeaveEvent(QDragLeaveEvent* e)
{
    verlasse_drag(outlook, e);
}

void CQWorkspace::dropEvent(QDropEvent* e)
{
    if (nimm_drop(outlook, e, [this](const QMimeData* daten) { emit dropChanged(daten); }))
        QTimer::singleShot(lieferung_nach_ms, this, &CQWorkspace::SlotDropTimeout);
}

void CQWorkspace::SlotDropTimeout()
{
    qDebug() << "CQWorkspace::SlotDropTimeout XML-Dateien:" << xml_liefern << "Dateien:" << dateien_liefern;
    QStringList dateien;
    bool temporaer = false;
    if (xml_liefern && hole_xml_dateien(outlook, dateien, temporaer))
        emit dropXMLFile(dateien, temporaer);
    if (dateien_liefern && hole_dateien(outlook, dateien, temporaer))
        emit dropFile(dateien, temporaer);
}

void CMWidget::dragEnterEvent(QDragEnterEvent* e)
{
    if (drag_angenommen(outlook, e))
        emit dragEntered(e, outlook->dateinamen_angeboten(), outlook->dateiinhalt_angeboten());
}

void CMWidget::dragMoveEvent(QDragMoveEvent* e)
{
    folge_drag(outlook, e);
}

void CMWidget::dragLeaveEvent(QDragLeaveEvent* e)
{
    verlasse_drag(outlook, e);
}

void CMWidget::dropEvent(QDropEvent* e)
{
    if (nimm_drop(outlook, e, [this](const QMimeData* daten) { emit dropChanged(daten); }))
        QTimer::singleShot(lieferung_nach_ms, this, &CMWidget::SlotDropTimeout);
}

void CMWidget::SlotDropTimeout()
{
    QStringList dateien;
    bool temporaer = false;
    if (hole_dateien(outlook, dateien, temporaer))
        emit dropFile(dateien, temporaer);
}
