// The tab widget of the framework's windows (the report view's two pages).
#pragma once

#include <QTabWidget>

class CQTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;
};
