// Comma-text lines as the attribute list carries catalogue titles: any line
// splits without hanging, and any list of items survives a round trip in
// both written forms.
#include "base/data/comma_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    CommaText::split(text);

    // The same text as a list of items, divided at the character 0x1F.
    const QStringList items = text.split(QChar(0x1F));
    if (CommaText::split(CommaText::joinQuoted(items)) != items)
        std::abort();
    if (CommaText::split(CommaText::join(items)) != items)
        std::abort();
    return 0;
}
