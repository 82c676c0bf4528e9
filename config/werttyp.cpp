#include "werttyp.h"

namespace {
constexpr int undefiniert_int = 99999999;
constexpr unsigned undefiniert_unsigned = 99999999u;
constexpr double undefiniert_double = 99999999.0;
constexpr float undefiniert_float = 99999999.0f;
constexpr EBool undefiniert_ebool = EBOOL_UNDEFINIERT;
} // namespace

template <>
const int& undefinierter_wert<int>()
{
    return undefiniert_int;
}

template <>
const unsigned& undefinierter_wert<unsigned>()
{
    return undefiniert_unsigned;
}

template <>
const double& undefinierter_wert<double>()
{
    return undefiniert_double;
}

template <>
const float& undefinierter_wert<float>()
{
    return undefiniert_float;
}

template <>
const EBool& undefinierter_wert<EBool>()
{
    return undefiniert_ebool;
}

template <>
const std::string& undefinierter_wert<std::string>()
{
    // Never destroyed: variables may hand out references to it while globals are torn down.
    static const std::string* leer = new std::string;
    return *leer;
}
