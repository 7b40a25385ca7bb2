#include "base/data/app_error.h"
#include "core/export/memory_workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

MemoryWorkbook openWorkbook(const QLocale &locale = QLocale()) {
    MemoryWorkbook book(locale);
    book.addWorkbook();
    return book;
}

TEST(MemoryWorkbookTest, NumberFormatsAreKeptInTheFileNotation) {
    const struct {
        QLocale locale;
        const char *typed;
        const char *stored;
    } cases[] = {
        {QLocale(QLocale::Portuguese, QLocale::Brazil), "###.##0", "###,##0"},
        {QLocale(QLocale::Portuguese, QLocale::Brazil), "##0,00", "##0.00"},
        {QLocale(QLocale::Portuguese, QLocale::Brazil), "\"R$ 1.0\" #.##0,0", "\"R$ 1.0\" #,##0.0"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "###,##0.00", "###,##0.00"},
    };
    for (const auto &c : cases) {
        MemoryWorkbook book = openWorkbook(c.locale);
        book.setNumberFormat(QStringLiteral("A1"), QString::fromUtf8(c.typed));
        EXPECT_EQ(book.cell(QStringLiteral("A1"))->numberFormat, QString::fromUtf8(c.stored)) << c.typed;
    }
}

TEST(MemoryWorkbookTest, TextsThatReadAsNumbersBecomeNumbersAndNothingNotFiniteIsStored) {
    MemoryWorkbook book = openWorkbook();
    const struct {
        QVariant in;
        QVariant stored;
    } cases[] = {
        {QStringLiteral("1,234.56"), 1234.56},
        {QStringLiteral("8.55"), 8.55},
        {QStringLiteral("-3"), -3.0},
        {QStringLiteral("1.234,56"), QStringLiteral("1.234,56")}, // not the automation's format
        {QStringLiteral("1,5"), QStringLiteral("1,5")},
        {QStringLiteral("Recife"), QStringLiteral("Recife")},
        {QStringLiteral(""), QVariant()},
        {2.5, 2.5},
        {qint64(7), 7.0},
        {std::numeric_limits<double>::quiet_NaN(), QVariant()},
        {std::numeric_limits<double>::infinity(), QVariant()},
    };
    for (const auto &c : cases) {
        book.setValue(QStringLiteral("C3"), c.in);
        EXPECT_EQ(book.value(QStringLiteral("C3")), c.stored) << c.in.toString().toStdString();
    }
}

TEST(MemoryWorkbookTest, BadAddressesAreRefused) {
    MemoryWorkbook book = openWorkbook();
    for (const char *address : {"B0", "7", "b7", "", "A1B", "AAAA1"})
        EXPECT_THROW(book.setValue(QString::fromLatin1(address), 1.0), AppError) << address;
    EXPECT_THROW(book.value(QStringLiteral("B0")), AppError);
    MemoryWorkbook closed;
    EXPECT_THROW(closed.setValue(QStringLiteral("A1"), 1.0), AppError);
}

TEST(MemoryWorkbookTest, SaveAsWritesAWorkbookAndRaisesOnAMissingFolder) {
    QTemporaryDir dir;
    MemoryWorkbook book = openWorkbook();
    book.setValue(QStringLiteral("A1"), QStringLiteral("Região"));
    book.setValue(QStringLiteral("B2"), 12.5);
    book.setNumberFormat(QStringLiteral("B2"), QStringLiteral("##0,00"));
    book.mergeCells(QStringLiteral("A1"), QStringLiteral("C1"));
    book.setColumnWidth(QStringLiteral("B2"), 11);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    book.paste(picture);

    const QString path = dir.filePath(QStringLiteral("pasta.xlsx"));
    book.saveAs(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("PK\x03\x04")); // a zip container
    EXPECT_EQ(book.savedPath(), path);

    EXPECT_THROW(book.saveAs(dir.filePath(QStringLiteral("falta/pasta.xlsx"))), AppError);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("falta"))).exists());
}

// A text longer than a cell holds (a damaged study's note, say) stops the
// save with a sentence naming the file and the cell; nothing is written.
TEST(MemoryWorkbookTest, ATextLongerThanACellHoldsNamesTheFileAndTheCell) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pasta.xlsx"));
    MemoryWorkbook book = openWorkbook();
    book.setValue(QStringLiteral("A1"), QString(32767, QLatin1Char('x')));
    book.setValue(QStringLiteral("AB7"), QString(40000, QLatin1Char('x')));
    try {
        book.saveAs(path);
        FAIL() << "saved";
    } catch (const AppError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Não foi possível compor a planilha \"%1\": o texto da célula AB7 tem 40000 "
                                 "caracteres, mais do que os 32.767 que uma célula guarda")
                      .arg(path));
    }
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
