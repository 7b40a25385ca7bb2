#include "base/data/app_error.h"
#include "base/data/scope_guard.h"
#include "core/export/sheet_column.h"
#include "core/export/sheet_text.h"

#include <QLocale>
#include <gtest/gtest.h>

// Tests run in the Brazilian number format: comma for decimals, point
// between thousands, dates as dd/MM/yyyy.
namespace {

TEST(SheetTextTest, AjustaValorSwapsSeparatorsOfNumbersOnly) {
    const struct {
        const char *in;
        const char *out;
    } cases[] = {
        {"1.234,56", "1,234.56"},     // thousands point and decimal comma
        {"8,55", "8.55"},             //
        {"1234", "1234"},             // digits only
        {"1.234.567", "1,234,567"},   //
        {"12,5 ", "12.5 "},           // blanks after the number are kept
        {"Recife", "Recife"},         // a name
        {"01/02/2000", "01/02/2000"}, // a date from 1900 on
        {"S.A., Ltda", "S.A., Ltda"}, // points and commas in a text
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SheetText::AjustaValor(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(SheetTextTest, TrocaSeparadoresSwapsWithinTheTrimmedLength) {
    EXPECT_EQ(SheetText::TrocaSeparadores(QStringLiteral("###,##0")), QStringLiteral("###.##0"));
    EXPECT_EQ(SheetText::TrocaSeparadores(QStringLiteral("##0.00")), QStringLiteral("##0,00"));
    // Only as many characters as the text has without its blanks, counted
    // from the start, take part: the leading blank shifts the last comma out.
    EXPECT_EQ(SheetText::TrocaSeparadores(QStringLiteral(" 0,0,")), QStringLiteral(" 0.0,"));
}

// With a decimal point in the user's format, number texts and formats are
// already in the automation's notation.
TEST(SheetTextTest, PointDecimalFormatNeedsNoConversion) {
    const QLocale testsLocale;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ScopeGuard restore([&] { QLocale::setDefault(testsLocale); });
    for (const char *format : {"###,##0", "##0.00", "#0.00"})
        EXPECT_EQ(SheetText::TrocaSeparadores(QLatin1String(format)), QLatin1String(format));
    for (const char *text : {"1,234.56", "8.55", "1234", "Recife", "S.A., Ltda"})
        EXPECT_EQ(SheetText::AjustaValor(QLatin1String(text)), QLatin1String(text));
}

TEST(SheetTextTest, DatesCountFromTheFirstMomentOf1900) {
    EXPECT_TRUE(SheetText::dateAfter1900(QStringLiteral("15/03/2000")));
    EXPECT_TRUE(SheetText::dateAfter1900(QStringLiteral("15/03/2000 10:30")));
    EXPECT_FALSE(SheetText::dateAfter1900(QStringLiteral("01/01/1900")));
    EXPECT_FALSE(SheetText::dateAfter1900(QStringLiteral("31/12/1899")));
    EXPECT_FALSE(SheetText::dateAfter1900(QStringLiteral("1234")));
    EXPECT_FALSE(SheetText::dateAfter1900(QStringLiteral("TOTAL")));
}

TEST(SheetColumnTest, ColumnsRunFromAToZZ) {
    SheetColumn column;
    QStringList seen;
    for (int i = 0; i < 53; ++i) {
        seen << column.text();
        column.ProximaColuna();
    }
    EXPECT_EQ(seen[0], QStringLiteral("A"));
    EXPECT_EQ(seen[25], QStringLiteral("Z"));
    EXPECT_EQ(seen[26], QStringLiteral("AA"));
    EXPECT_EQ(seen[51], QStringLiteral("AZ"));
    EXPECT_EQ(seen[52], QStringLiteral("BA"));
    EXPECT_EQ(column.cell(7), QStringLiteral("BB7"));
    EXPECT_EQ(SheetColumn::fromNumber(2).text(), QStringLiteral("B"));

    SheetColumn last = SheetColumn::fromNumber(26 * 27);
    EXPECT_EQ(last.text(), QStringLiteral("ZZ"));
    EXPECT_THROW(last.ProximaColuna(), AppError);
}

} // namespace
