// Downloads and the PDF and save-page dialogs in a real engine.
#include <gtest/gtest.h>
