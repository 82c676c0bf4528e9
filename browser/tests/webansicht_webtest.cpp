// Web view, page, pop-up window, render-process watchdog, permission bar, action mapper and URL line edit in a real engine.
#include <gtest/gtest.h>
