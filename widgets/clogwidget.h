// The frame inside the protocol dock that holds its text pages, one alone or several under a tab bar.
#pragma once

#include "cqstring.h"

#include <QFrame>

class CLogSubWidget;
class QGridLayout;
class QStackedWidget;
class QTabBar;

class CLogWidget : public QFrame
{
    Q_OBJECT
public:
    // The name is not used.
    CLogWidget(QWidget* eltern, const CQString& name, Qt::WindowFlags flags = Qt::WindowFlags());

    // Forgets the current page. Without tabs: builds the one page "textview" and returns it (it
    // is then the current page). With tabs: builds the tab bar and the page stack and returns
    // null; the pages then come from `neue_seite`.
    virtual CLogSubWidget* erzeuge_ansicht(bool mit_tabs);
    // Only under a tab bar: a new page behind a new tab of that name; null without a tab bar.
    virtual CLogSubWidget* neue_seite(const CQString& tab_name);

    CLogSubWidget* gib_aktuelle_seite() const { return aktuelle_seite; }
    QTabBar* gib_tabbar() const { return tabbar; }
    QStackedWidget* gib_stapel() const { return stapel; }

public slots:
    // Only under a tab bar: shows page i, making its tab current.
    void setCurrentPage(int i);
    void slotWidgetSizeChanged(CLogSubWidget* seite);
    void slotTabBarSelected(int i);

private:
    CLogSubWidget* erzeuge_seite();

    QTabBar* tabbar = nullptr;
    QStackedWidget* stapel = nullptr;
    QGridLayout* raster;
    CLogSubWidget* aktuelle_seite = nullptr;
};
