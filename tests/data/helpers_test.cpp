#include "base/data/comma_text.h"
#include "base/data/format_float.h"
#include "base/data/general_number.h"
#include "base/data/text_utils.h"
#include "base/data/windows1252.h"
#include "core/drawing/color_number.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

TEST(TextUtils, CutKeepsAtMostTheLimit) {
    EXPECT_EQ(TextUtils::cut(QString(60, QLatin1Char('a'))).size(), 50);
    EXPECT_EQ(TextUtils::cut(QString(120, QLatin1Char('a')), 100).size(), 100);
    EXPECT_EQ(TextUtils::cut(QStringLiteral("01.01")), QStringLiteral("01.01"));
}

TEST(TextUtils, SubstituiTextoScansTheChangingText) {
    const struct {
        const char *search, *text, *replacement, *result;
    } table[] = {
        {".", "01.01.01", "", "010101"},
        {".", "03", "", "03"},
        {".", "", "", ""},
        {".", "A.B.C.D", "", "ABCD"},
        {".", "01..02", "", "01.02"}, // the scan moves on past the dot that slid into place
        {"ab", "xabyab", "Z", "xZyZ"},
        {".", "a.b", "..", "a..b"},   // a replacement holding the search is stepped over
        {"", "abc", "x", "abc"},
    };
    for (const auto &row : table)
        EXPECT_EQ(TextUtils::SubstituiTexto(QString::fromUtf8(row.search), QString::fromUtf8(row.text),
                                            QString::fromUtf8(row.replacement)),
                  QString::fromUtf8(row.result))
            << row.text;
}

TEST(FormatFloat, PatternsWithTheLocaleSeparators) {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const struct {
        const char *pattern;
        double value;
        const char *brazil;
        const char *states;
    } table[] = {
        {"###,##0", 1234.5, "1.235", "1,235"},
        {"###,##0", 0, "0", "0"},
        {"###,##0", 1234567890, "1.234.567.890", "1,234,567,890"},
        {"###,##0", -1234.4, "-1.234", "-1,234"},
        {"###,##0", 999.5, "1.000", "1,000"},
        {"##0.00", 12.345, "12,35", "12.35"},
        {"##0.00", 0, "0,00", "0.00"},
        {"##0.00", 100, "100,00", "100.00"},
        {"#0.00", 2.675, "2,68", "2.68"},
        {"#0.00", 0.004, "0,00", "0.00"},
        {"##0.00", 1.005, "1,01", "1.01"},
        {"##0.00", 0.30000000000000004, "0,30", "0.30"},
        // Digits a large figure holds are rounded as written, not nudged up.
        {"##0.00", 10000000000000.004, "10000000000000,00", "10000000000000.00"},
        {"##0.00", 90071992547409.90, "90071992547409,90", "90071992547409.90"},
        {"##0.00", 999999.995, "1000000,00", "1000000.00"},
        {"0", 1e-300, "0", "0"},
        {"0", 49.5, "50", "50"},
        {"0", -0.2, "0", "0"},
        {"000000000000.00", 1234.5, "000000001234,50", "000000001234.50"},
        {",0;-,0", 20000, "20.000", "20,000"},
        {",0;-,0", -1500, "-1.500", "-1,500"},
        {",0;-,0", 0, "0", "0"},
    };
    for (const auto &row : table) {
        EXPECT_EQ(FormatFloat(QString::fromUtf8(row.pattern), row.value, br), QString::fromUtf8(row.brazil))
            << row.pattern << " " << row.value;
        EXPECT_EQ(FormatFloat(QString::fromUtf8(row.pattern), row.value, us), QString::fromUtf8(row.states))
            << row.pattern << " " << row.value;
    }
}

// The largest figures keep every digit: scaling them for the decimals must
// not overflow into a text that is no number, nor change their digits.
TEST(FormatFloat, TheLargestFiniteValuesKeepTheirDigits) {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const auto grouped = [](QString digits) {
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, QLatin1Char('.'));
        return digits;
    };
    const struct {
        double value;
        QString digits;
    } table[] = {
        {1e308, QStringLiteral("1") + QString(308, QLatin1Char('0'))},
        {1e307, QStringLiteral("1") + QString(307, QLatin1Char('0'))},
        {DBL_MAX, QStringLiteral("17976931348623157") + QString(292, QLatin1Char('0'))},
        {12169032, QStringLiteral("12169032")},
        {9007199254740993.0, QStringLiteral("9007199254740992")},
    };
    for (const auto &row : table) {
        EXPECT_EQ(FormatFloat(QStringLiteral("###,##0"), row.value, br), grouped(row.digits)) << row.value;
        EXPECT_EQ(FormatFloat(QStringLiteral("###,##0.00"), -row.value, br),
                  QLatin1Char('-') + grouped(row.digits) + QStringLiteral(",00"))
            << row.value;
    }
    EXPECT_EQ(FormatFloat(QStringLiteral("##0.00"), 123456789012345.67, br), QStringLiteral("123456789012345,67"));
}

// The general format is "%.15g" (whole numbers below 10^15 as integers): the
// figures of a study, the edges of the fixed and exponent forms, the values
// whose shortest digits are more than 15, and doubles of every magnitude.
TEST(GeneralNumber, WritesWhatPrintfWritesWithFifteenDigits) {
    std::vector<double> values = {0.0, -0.0, 23.52, -23.52, 0.1, 0.3, 2.0 / 3, 1e-4, 1.5e-4, 9.99999999999999e-5,
                                  1e-5, 123456789012345.6, 999999999999999.9, 1e15, 1e15 + 0.5, 1e16, 1.7976931348623157e308,
                                  4.9e-324, 2.2250738585072014e-308, 0.1 + 0.2, 1.0000000000000002, 99999999999999.99,
                                  12345.678901234567, 5e-5, 0.00012345678901234567, std::nan(""), INFINITY, -INFINITY};
    std::mt19937_64 random(27);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(static_cast<double>(random() % 10000000) / 100); // a figure with two decimals
        double any = 0;
        const std::uint64_t bits = random();
        std::memcpy(&any, &bits, sizeof any);
        values.push_back(any);
        values.push_back(std::ldexp(static_cast<double>(random() % (1ull << 53)), static_cast<int>(random() % 120) - 100));
    }
    for (const double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.15g", value);
        if (std::fabs(value) < 1e15 && value == std::trunc(value))
            std::snprintf(expected, sizeof expected, "%lld", static_cast<long long>(value));
        char written[GeneralNumber::kMaxLength];
        ASSERT_EQ(std::string(written, GeneralNumber::write(value, written)), std::string(expected)) << value;
    }
}

TEST(ColorNumber, RedInTheLowByte) {
    const struct {
        qint64 number;
        int r, g, b;
    } table[] = {
        {10420224, 0, 0, 159}, {16744448, 0, 128, 255}, {16770764, 204, 230, 255}, {182, 182, 0, 0},
        {255, 255, 0, 0},      {33023, 255, 128, 0},    {64507, 251, 251, 0},      {2883371, 43, 255, 43},
        {14011334, 198, 203, 213}, {0, 0, 0, 0},
    };
    for (const auto &row : table) {
        const QColor c = ColorNumber::toColor(row.number);
        EXPECT_EQ(c, QColor(row.r, row.g, row.b)) << row.number;
        EXPECT_EQ(ColorNumber::fromColor(c), row.number);
    }
    EXPECT_TRUE(ColorNumber::toColor(0xFF00000F).isValid()); // a system colour resolves through the palette
}

TEST(Windows1252, EveryByteRoundTripsAndTheTypographicBlockIsNotLatin1) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Windows1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::encode(text), all);
    EXPECT_EQ(text[0x80], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0x93], QChar(0x201C)); // left double quotation mark
    EXPECT_EQ(text[0x9F], QChar(0x0178)); // Y with diaeresis
    EXPECT_EQ(text[0x81], QChar(0x0081)); // undefined byte keeps its number
    EXPECT_EQ(text[0xE3], QChar(0x00E3)); // ã
    EXPECT_EQ(Windows1252::encode(QStringLiteral("São Paulo – Ω")), QByteArray("S\xe3o Paulo \x96 ?"));
}

TEST(CommaText, AttributeLinesRoundTrip) {
    const QStringList items{QStringLiteral("VALOR"),
                            QStringLiteral("Domicilios.Urbanos, rurais.V001"),
                            QStringLiteral("Déficit habitacional \"básico\""),
                            QStringLiteral("V001"),
                            QString(),
                            QStringLiteral("S")};
    const QString line = CommaText::join(items);
    EXPECT_EQ(CommaText::split(line), items);

    // The lines the catalogue writes: six quoted items, blanks and commas inside.
    const QString written = QStringLiteral("\"VALOR\",\"A.B\",\"Total de domicílios, urbanos\",\"V02\",\"V02/V01\",\"N\"");
    EXPECT_EQ(CommaText::split(written),
              (QStringList{"VALOR", "A.B", "Total de domicílios, urbanos", "V02", "V02/V01", "N"}));

    // Outside quotes a blank separates items; a trailing comma adds an empty one.
    EXPECT_EQ(CommaText::split(QStringLiteral("a b,c,")), (QStringList{"a", "b", "c", ""}));
    EXPECT_EQ(CommaText::join(QStringList{QString()}), QStringLiteral("\"\""));
    // Any control character outside quotes is a blank, NUL too (a line read
    // from a damaged file).
    EXPECT_EQ(CommaText::split(QStringLiteral("a") + QChar(0) + QStringLiteral("b,\tc")), (QStringList{"a", "b", "c"}));
}

// Titles hold anything: quotes, commas, blanks, control characters. Written
// with every item quoted they read back unchanged, and so does the shorter
// form that quotes only what needs it.
TEST(CommaText, AnyItemRoundTrips) {
    const QStringList items{QStringLiteral("VALOR"),
                            QStringLiteral("Domicilios.Com \"aspas\", vírgulas e  brancos"),
                            QStringLiteral("\""),
                            QStringLiteral("\"\","),
                            QString(),
                            QStringLiteral(" ") + QChar(0) + QStringLiteral("\t\r\n")};
    const QString quoted = CommaText::joinQuoted(items);
    EXPECT_TRUE(quoted.startsWith(QStringLiteral("\"VALOR\",\"Domicilios.Com \"\"aspas\"\", ")));
    EXPECT_EQ(CommaText::split(quoted), items);
    EXPECT_EQ(CommaText::split(CommaText::join(items)), items);
}
