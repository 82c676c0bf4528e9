// The one watchdog of web views whose render process ended: it reports the end and reloads the page.
#pragma once

class QWebEngineView;

// From now on every end of the view's render process writes the info line "Render process exited
// with code" with the exit code and its status, and reloads the view on the next turn of the event
// loop. A page whose renderer dies at every load would reload forever and burn the processor: it
// gets three reloads in a row; a further end without a successful load since still writes its
// line but leaves the view alone, until a load succeeds again. Call it once per view.
void bewache_renderprozess(QWebEngineView* ansicht);
