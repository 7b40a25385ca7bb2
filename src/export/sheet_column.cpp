#include "export/sheet_column.h"

#include "data/app_error.h"

#include <algorithm>

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
    // Composed in place: a sheet asks for one address per cell.
    char address[16];
    int size = 0;
    if (m_prefix >= 0)
        address[size++] = static_cast<char>('A' + m_prefix);
    address[size++] = static_cast<char>('A' + m_letter);
    const int digitsAt = size;
    unsigned n = static_cast<unsigned>(row < 0 ? -static_cast<qint64>(row) : row);
    do {
        address[size++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    if (row < 0)
        address[size++] = '-';
    std::reverse(address + digitsAt, address + size);
    return QString::fromLatin1(address, size);
}

QString SheetColumn::text() const {
    QString result;
    if (m_prefix >= 0)
        result += QChar(u'A' + m_prefix);
    result += QChar(u'A' + m_letter);
    return result;
}
