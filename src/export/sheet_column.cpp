#include "export/sheet_column.h"

#include "data/app_error.h"

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

QString SheetColumn::text() const {
    QString result;
    if (m_prefix >= 0)
        result += QChar(u'A' + m_prefix);
    result += QChar(u'A' + m_letter);
    return result;
}
