// The framework's boolean value type of settings: yes, no, and not set.
#pragma once

#include <cstdint>

enum EBool : std::int32_t { NEIN = 0, JA = 1, EBOOL_UNDEFINIERT = 99999999 };

// The framework's "not set" value for whole numbers.
constexpr int NICHT_GESETZT = 99999999;
