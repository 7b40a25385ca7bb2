#include "base/data/portuguese_collation.h"

#include <algorithm>
#include <cstdint>

namespace PortugueseCollation {
namespace {

// Base letters of U+00C0..U+00FF, upper case; 0 keeps the code point.
constexpr char kLatin1Base[64] = {
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   0,
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   'Y'};

// Decodes one UTF-8 code point at i and advances i; a broken sequence yields
// its first byte, so any input compares without failing.
char32_t next(std::string_view s, size_t &i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80)
        return b0;
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
    char32_t cp = b0 & (0x3F >> extra);
    const size_t start = i;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            i = start;
            return b0;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

// The primary weight of a code point: its base letter in upper case.
char32_t fold(char32_t cp) {
    if (cp >= 'a' && cp <= 'z')
        return cp - 32;
    if (cp >= 0xC0 && cp <= 0xFF) {
        const char base = kLatin1Base[cp - 0xC0];
        return base ? static_cast<char32_t>(base) : cp;
    }
    return cp;
}

} // namespace

int compare(std::string_view a, std::string_view b) {
    // A sort compares mostly equal texts, or texts that begin alike (the
    // names of one state): equal plain ASCII bytes weigh alike, so they are
    // passed over at once.
    const size_t common = std::min(a.size(), b.size());
    size_t i = 0;
    while (i < common && a[i] == b[i] && static_cast<unsigned char>(a[i]) < 0x80)
        ++i;
    size_t j = i;
    while (i < a.size() && j < b.size()) {
        const char32_t x = fold(next(a, i));
        const char32_t y = fold(next(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

} // namespace PortugueseCollation
