#pragma once

#include <QString>

namespace TextUtils {

// The short-string fields of the windows hold at most this many characters.
inline constexpr int kShortString = 50;

// The text cut to at most maxLength characters.
QString cut(const QString &text, int maxLength = kShortString);

// A value quoted in a message, cut after 60 characters with "..." so that an
// over-long value cannot flood the message.
QString shortened(const QString &text);

// Replaces occurrences of search in text: the scan walks the positions of the
// text as it changes; wherever the text at a position starts with search, the
// match is replaced and the scan moves one position on. (After a removal that
// skips the character that moved into the position, so ".." loses one dot:
// callers pass topic codes, whose groups are separated by single dots.) An
// empty search changes nothing, and a replacement that contains the search
// is stepped over, so the scan always ends.
QString SubstituiTexto(const QString &search, const QString &text, const QString &replacement);

// The text with every single quote doubled, to stand between quotes in a
// statement: no text can end the literal early.
QString doubleQuotes(const QString &text);

} // namespace TextUtils
