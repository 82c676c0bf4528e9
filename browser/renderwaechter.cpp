#include "renderwaechter.h"

#include <QDebug>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace {

// Reloads in a row that a dying renderer gets before the watchdog gives up on the page.
constexpr int hoechstens_neu_laden = 3;

const char* statustext(QWebEnginePage::RenderProcessTerminationStatus status)
{
    switch (status) {
    case QWebEnginePage::NormalTerminationStatus:
        return "(normal exit)";
    case QWebEnginePage::AbnormalTerminationStatus:
        return "(abnormal exit)";
    case QWebEnginePage::CrashedTerminationStatus:
        return "(crashed)";
    case QWebEnginePage::KilledTerminationStatus:
        return "(killed)";
    }
    return "";
}

} // namespace

void bewache_renderprozess(QWebEngineView* ansicht)
{
    // Ends since the last successful load; it lives with the connections, which die with the view.
    auto enden = std::make_shared<int>(0);
    QObject::connect(ansicht, &QWebEngineView::loadFinished, ansicht, [enden](bool ok) {
        if (ok)
            *enden = 0;
    });
    QObject::connect(ansicht, &QWebEngineView::renderProcessTerminated, ansicht,
                     [ansicht, enden](QWebEnginePage::RenderProcessTerminationStatus status, int code) {
                         qInfo() << "Render process exited with code" << code << statustext(status);
                         if (++*enden > hoechstens_neu_laden)
                             return;
                         QTimer::singleShot(0, ansicht, &QWebEngineView::reload);
                     });
}
