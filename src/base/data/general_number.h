#pragma once

// A number in the general format, as values without display rules are
// written (the result table's plain text, the delimited text file): whole
// numbers below 10^15 as integers, any other with 15 significant digits
// like C's "%.15g", with '.' as the decimal point. Written into a caller's
// buffer, without allocating, as a file of many thousands of figures needs.
namespace GeneralNumber {

inline constexpr int kMaxLength = 32;

// Writes value at buffer (room for kMaxLength characters) and returns the
// number of characters written.
int write(double value, char *buffer);

} // namespace GeneralNumber
