// The size a browser window takes from a stored or requested value: never more than the screen offers.
#pragma once

#include <QSize>

class QWidget;

// `gewuenscht` when it fits the available area of the screen the window is on (the primary
// screen while it has none); otherwise, for a size that is not positive or does not fit,
// `vorgabe` bounded to that area. Stored settings and sessions are not to be trusted: a size
// of 50000 x 50000 would have the window allocate gigabytes for its back buffer.
QSize passende_fenstergroesse(const QWidget* fenster, const QSize& gewuenscht, const QSize& vorgabe);
