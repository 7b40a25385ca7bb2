#pragma once

#include <string_view>

// Orders texts as a Portuguese reader expects: letter case and accents do not
// move a name ("Água Boa" among the A names, "Óbidos" among the O names);
// texts equal but for case and accents fall back to their byte order so the
// order is total. Punctuation keeps its code order, which puts "<Todas>"
// before every name and the "ZZ..." total texts after every name.
namespace PortugueseCollation {

// The name under which the database connection registers the collation.
inline constexpr const char *kName = "PTBR";

// Negative, zero or positive like strcmp, over two UTF-8 texts.
int compare(std::string_view a, std::string_view b);

} // namespace PortugueseCollation
