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
    QString address;
    cell(row, address);
    return address;
}

void SheetColumn::cell(int row, QString &address) const {
    char text[16]; // two letters, a sign and ten digits at most
    int size = 0;
    if (m_prefix >= 0)
        text[size++] = static_cast<char>('A' + m_prefix);
    text[size++] = static_cast<char>('A' + m_letter);
    const int digitsAt = size;
    unsigned n = static_cast<unsigned>(row < 0 ? -static_cast<qint64>(row) : row);
    do {
        text[size++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    if (row < 0)
        text[size++] = '-';
    std::reverse(text + digitsAt, text + size);
    address.resize(size);
    QChar *out = address.data();
    for (int i = 0; i < size; ++i)
        out[i] = QLatin1Char(text[i]);
}

QString SheetColumn::text() const {
    QString result;
    if (m_prefix >= 0)
        result += QChar(u'A' + m_prefix);
    result += QChar(u'A' + m_letter);
    return result;
}
