#include "base/data/general_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace GeneralNumber {

namespace {

constexpr int kDigits = 15;
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                   1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
constexpr int kMaxDecimals = kDigits + 3; // 0.000ddd…: "%g" writes no more zeros after the point

// A figure with a few decimals, such as the study's rates, in fixed notation,
// without the digit-by-digit rounding of a general "%.15g". It tries the
// decimals in turn: the first count whose digits m make m / 10^k the value
// itself (a correctly rounded division of two exact numbers) gives the
// decimal of fewest digits that reads back as the value. When it has at most
// 15 significant digits it is the nearest decimal of 15 digits (doubles lie
// closer together than those), so it is what "%.15g" writes, trailing zeros
// gone, as long as "%g" keeps the fixed form (at least 10^-4). Returns 0 when
// no count of decimals serves.
int writeFewDecimals(double value, char *buffer) {
    const double magnitude = std::fabs(value);
    for (int k = 1; k <= kMaxDecimals; ++k) {
        const double scaled = magnitude * kPowersOfTen[k];
        if (scaled >= kPowersOfTen[kDigits])
            return 0;
        // The nearest whole number: the division below decides.
        const auto whole = static_cast<long long>(scaled + 0.5);
        if (static_cast<double>(whole) / kPowersOfTen[k] != magnitude)
            continue;
        char digits[kMaxLength];
        const int length = static_cast<int>(std::to_chars(digits, digits + kMaxLength, whole).ptr - digits);
        if (k - length > 3)
            return 0; // below 10^-4: "%g" writes an exponent
        char *out = buffer;
        if (value < 0)
            *out++ = '-';
        const int before = length - k; // digits before the point
        if (before <= 0)
            *out++ = '0';
        for (int i = 0; i < before; ++i)
            *out++ = digits[i];
        *out++ = '.';
        for (int i = before; i < 0; ++i)
            *out++ = '0';
        for (int i = std::max(before, 0); i < length; ++i)
            *out++ = digits[i];
        return static_cast<int>(out - buffer);
    }
    return 0;
}

} // namespace

int write(double value, char *buffer) {
    if (std::fabs(value) < 1e15) {
        // Whole figures, most of a table, need no rounding to 15 digits.
        const auto whole = static_cast<long long>(value);
        if (static_cast<double>(whole) == value)
            return static_cast<int>(std::to_chars(buffer, buffer + kMaxLength, whole).ptr - buffer);
        if (const int length = writeFewDecimals(value, buffer))
            return length;
    }
    return static_cast<int>(
        std::to_chars(buffer, buffer + kMaxLength, value, std::chars_format::general, kDigits).ptr - buffer);
}

} // namespace GeneralNumber
