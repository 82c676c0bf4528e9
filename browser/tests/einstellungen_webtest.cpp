// The browser application object and the settings dialog in a real engine.
#include <gtest/gtest.h>
