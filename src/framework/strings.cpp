#include "strings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace fw {

std::string Str(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0) return "0";  // also keeps -0 from showing a sign
    char buf[400];               // %.0f of the largest double has 309 digits
    if (value == std::trunc(value))
        std::snprintf(buf, sizeof buf, "%.0f", value);
    else
        std::snprintf(buf, sizeof buf, "%.7g", value);
    return buf;
}

double Val(const std::string& text) {
    const char* s = text.data();
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;

    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Collects the number without its sign (from_chars takes no '+'), and an
    // estimate of its decimal magnitude to tell overflow from underflow.
    const size_t start = i;
    bool anyDigit = false, nonZeroSeen = false;
    long long magnitude = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
        anyDigit = true;
        if (s[i] != '0') nonZeroSeen = true;
        if (nonZeroSeen) ++magnitude;
        ++i;
    }
    if (i < n && s[i] == '.') {
        size_t j = i + 1;
        while (j < n && s[j] >= '0' && s[j] <= '9') {
            anyDigit = true;
            if (!nonZeroSeen) {
                if (s[j] != '0') nonZeroSeen = true;
                else --magnitude;
            }
            ++j;
        }
        i = j;
    }
    if (!anyDigit) return 0;

    // An exponent counts only when digits follow it: "1e" is 1.
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
        if (j < n && s[j] >= '0' && s[j] <= '9') {
            long long e = 0;
            while (j < n && s[j] >= '0' && s[j] <= '9') {
                if (e < 1000000) e = e * 10 + (s[j] - '0');
                ++j;
            }
            magnitude += expNegative ? -e : e;
            i = j;
        }
    }

    double value = 0;
    auto [end, ec] = std::from_chars(s + start, s + i, value, std::chars_format::general);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (ec != std::errc())
        value = 0;
    return negative ? -value : value;
}

double Round(double value) {
    return std::round(value);  // halves away from zero, unlike nearbyint
}

int32_t ToInt32(double value) {
    // Range checks first: converting an out-of-range double is undefined.
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace fw
