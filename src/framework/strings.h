// Number and text conversions. These are the only places where the program
// turns numbers into text and back; their rules are fixed here once:
//  - Str of a whole number gives its digits with no decimal part ("0", "1001");
//    other values give up to 7 significant digits ("0.5", "3.141593").
//  - Val reads the leading number of a text (leading blanks allowed, optional
//    sign, digits, decimal point, exponent) and gives 0 where there is none.
//  - Round rounds halves away from zero.
//  - ToInt32 truncates toward zero and saturates outside the Int32 range; NaN gives 0.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

std::string Str(double value);
double Val(const std::string& text);
double Round(double value);
int32_t ToInt32(double value);

}  // namespace fw
