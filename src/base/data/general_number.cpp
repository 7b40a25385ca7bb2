#include "base/data/general_number.h"

#include <charconv>
#include <cmath>

namespace GeneralNumber {

int write(double value, char *buffer) {
    char *end = buffer + kMaxLength;
    // Whole figures, most of a table, need no rounding to 15 digits.
    const std::to_chars_result r = std::fabs(value) < 1e15 && value == std::trunc(value)
                                       ? std::to_chars(buffer, end, static_cast<long long>(value))
                                       : std::to_chars(buffer, end, value, std::chars_format::general, 15);
    return static_cast<int>(r.ptr - buffer);
}

} // namespace GeneralNumber
