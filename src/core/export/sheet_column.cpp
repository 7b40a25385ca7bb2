#include "core/export/sheet_column.h"

#include "base/data/app_error.h"

#include <iterator>

namespace {
constexpr int kLetters = 26;
}

SheetColumn SheetColumn::fromNumber(int n) {
    SheetColumn column;
    for (int i = 1; i < n; ++i)
        column.ProximaColuna();
    return column;
}

void SheetColumn::ProximaColuna() {
    if (m_letter < kLetters - 1) {
        ++m_letter;
        return;
    }
    if (m_prefix == kLetters - 1)
        throw AppError(QStringLiteral("A planilha não comporta mais de %1 colunas.").arg(kLetters * (kLetters + 1)));
    m_letter = 0;
    ++m_prefix;
}

QString SheetColumn::cell(int row) const {
    QString address;
    cell(row, address);
    return address;
}

void SheetColumn::cell(int row, QString &address) const {
    // The digits from the end of the buffer backwards, then the letters
    // before them.
    char16_t text[16]; // two letters, a sign and ten digits at most
    char16_t *const end = text + std::size(text);
    char16_t *first = end;
    unsigned n = static_cast<unsigned>(row < 0 ? -static_cast<qint64>(row) : row);
    do {
        *--first = static_cast<char16_t>(u'0' + n % 10);
        n /= 10;
    } while (n != 0);
    if (row < 0)
        *--first = u'-';
    *--first = static_cast<char16_t>(u'A' + m_letter);
    if (m_prefix >= 0)
        *--first = static_cast<char16_t>(u'A' + m_prefix);
    address.setUnicode(reinterpret_cast<const QChar *>(first), end - first);
}

QString SheetColumn::text() const {
    QString result;
    if (m_prefix >= 0)
        result += QChar(u'A' + m_prefix);
    result += QChar(u'A' + m_letter);
    return result;
}
