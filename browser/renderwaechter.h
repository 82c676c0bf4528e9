// The one watchdog of web views whose render process ended: it reports the end and reloads the page.
#pragma once

class QWebEngineView;

// From now on every end of the view's render process writes the info line "Render process exited
// with code" with the exit code and its status, and reloads the view on the next turn of the event
// loop. A page whose renderer dies at every load would reload forever: after three ends in a row
// without a successful load between them the line is still written but the view is left alone,
// until a load succeeds again. Call it once per view.
void bewache_renderprozess(QWebEngineView* ansicht);
