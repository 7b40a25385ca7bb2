#include "base/data/general_number.h"

#include <charconv>
#include <cmath>
#include <cstring>

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
        const double scaled = std::round(magnitude * kPowersOfTen[k]);
        if (scaled >= kPowersOfTen[kDigits])
            return 0;
        if (scaled / kPowersOfTen[k] != magnitude)
            continue;
        char digits[kMaxLength];
        const int length =
            static_cast<int>(std::to_chars(digits, digits + kMaxLength, static_cast<long long>(scaled)).ptr - digits);
        if (k - length > 3)
            return 0; // below 10^-4: "%g" writes an exponent
        char *out = buffer;
        if (value < 0)
            *out++ = '-';
        if (length <= k) {
            *out++ = '0';
            *out++ = '.';
            std::memset(out, '0', k - length);
            out += k - length;
            std::memcpy(out, digits, length);
            out += length;
        } else {
            std::memcpy(out, digits, length - k);
            out += length - k;
            *out++ = '.';
            std::memcpy(out, digits + length - k, k);
            out += k;
        }
        return static_cast<int>(out - buffer);
    }
    return 0;
}

} // namespace

int write(double value, char *buffer) {
    char *end = buffer + kMaxLength;
    // Whole figures, most of a table, need no rounding to 15 digits.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return static_cast<int>(std::to_chars(buffer, end, static_cast<long long>(value)).ptr - buffer);
    if (std::fabs(value) < 1e15)
        if (const int length = writeFewDecimals(value, buffer))
            return length;
    return static_cast<int>(std::to_chars(buffer, end, value, std::chars_format::general, kDigits).ptr - buffer);
}

} // namespace GeneralNumber
