// How many more files and folders this process may hold open under its limit of open files.
#pragma once

#include <QtGlobal>

// The handles this process may open beside those it holds now. The soft limit of open files is
// raised first, as far as the process may (it is often far below the hard one), so that
// `gewuenscht` more fit; without a limit, `gewuenscht`. A run sizes the work it keeps in flight
// by it, so that it succeeds under a low limit too, only with fewer handles at once.
quint64 freie_handles(quint64 gewuenscht);
