// Value types of configuration variables and descriptors: their undefined ("not set") values and type codes.
#pragma once

#include "ebool.h"

#include <string>

// int, unsigned and EBool 99999999, double 99999999.0, float 99999999.0f, std::string the empty text.
template <typename T>
const T& undefinierter_wert();

template <>
const int& undefinierter_wert<int>();
template <>
const unsigned& undefinierter_wert<unsigned>();
template <>
const double& undefinierter_wert<double>();
template <>
const float& undefinierter_wert<float>();
template <>
const EBool& undefinierter_wert<EBool>();
template <>
const std::string& undefinierter_wert<std::string>();

// Exact comparison with the undefined value (a double must be exactly 99999999.0).
template <typename T>
bool ist_undefinierter_wert(const T& wert)
{
    return wert == undefinierter_wert<T>();
}

// Value-type codes: double 0, float 1, unsigned 2, int 3, std::string 4, EBool 5.
template <typename T>
struct SWertTyp;
template <>
struct SWertTyp<double>
{
    static constexpr int code = 0;
};
template <>
struct SWertTyp<float>
{
    static constexpr int code = 1;
};
template <>
struct SWertTyp<unsigned>
{
    static constexpr int code = 2;
};
template <>
struct SWertTyp<int>
{
    static constexpr int code = 3;
};
template <>
struct SWertTyp<std::string>
{
    static constexpr int code = 4;
};
template <>
struct SWertTyp<EBool>
{
    static constexpr int code = 5;
};
