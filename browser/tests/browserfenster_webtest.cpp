// The own browser window in a real engine: start page, find, zoom, PDF, source, history, log-in forms, downloads.
#include <gtest/gtest.h>
