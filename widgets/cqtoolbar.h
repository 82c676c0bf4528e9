// The tool bar of the framework's windows.
#pragma once

#include <QToolBar>

class CQToolBar : public QToolBar
{
    Q_OBJECT
public:
    using QToolBar::QToolBar;
};
