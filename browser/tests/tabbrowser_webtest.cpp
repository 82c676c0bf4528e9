// The tabbed browser in a real engine, in a process without the browser application object.
#include <gtest/gtest.h>
