#include "base/data/app_error.h"
#include "base/table/result_table.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Regiao, Tipo_Registro and a group G holding the value fields A and B.
class ResultTableTest : public ::testing::Test {
  protected:
    ResultTableTest() {
        m_regiao = m_table.addField(QStringLiteral("Regiao"), FieldKind::Text, 5);
        m_tipo = m_table.addField(QStringLiteral("Tipo_Registro"), FieldKind::Integer);
        m_group = m_table.addField(QStringLiteral("G"), FieldKind::Group);
        m_a = m_table.addField(QStringLiteral("A"), FieldKind::Float, 0, m_group);
        m_b = m_table.addField(QStringLiteral("B"), FieldKind::Float, 0, m_group);
        m_table.createDataSet();
    }

    void addRow(const QString &regiao, int tipo, double a) {
        m_table.append();
        m_table.setText(m_regiao, regiao);
        m_table.setInteger(m_tipo, tipo);
        m_table.setFloat(m_a, a);
    }

    ResultTable m_table;
    int m_regiao, m_tipo, m_group, m_a, m_b;
};

TEST_F(ResultTableTest, NestedFieldsAreReachedByFullName) {
    EXPECT_EQ(m_table.findField(QStringLiteral("G.A")), m_a);
    EXPECT_EQ(m_table.findField(QStringLiteral("g.b")), m_b);
    EXPECT_EQ(m_table.findField(QStringLiteral("A")), -1);
    EXPECT_EQ(m_table.field(m_b).parent(), m_group);
    EXPECT_EQ(m_table.topLevelFields(), (std::vector<int>{m_regiao, m_tipo, m_group}));
    try {
        m_table.fieldByName(QStringLiteral("G.C"));
        FAIL();
    } catch (const AppError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'G.C' not found"));
    }
    // A field added under a value field goes to the top level.
    const int stray = m_table.addField(QStringLiteral("X"), FieldKind::Float, 0, m_a);
    EXPECT_EQ(m_table.field(stray).fullName(), QStringLiteral("X"));
}

// Texts repeated down a column are stored once; each row still reads its
// own: a set empty text is not null, and rewriting one row leaves the rows
// that shared its text alone.
TEST_F(ResultTableTest, RepeatedTextsEmptyAndNullStayApart) {
    const char *texts[] = {"Sul", "Sul", "", "", nullptr, "Sul", "Norte"};
    for (const char *text : texts) {
        m_table.append();
        if (text)
            m_table.setText(m_regiao, QString::fromUtf8(text));
    }
    m_table.moveTo(1);
    m_table.setText(m_regiao, QStringLiteral("Leste"));
    const char *expected[] = {"Sul", "Leste", "", "", nullptr, "Sul", "Norte"};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(m_table.value(row, m_regiao).isNull(), expected[row] == nullptr) << row;
        EXPECT_EQ(m_table.asString(row, m_regiao), QString::fromUtf8(expected[row])) << row;
        const ResultTable::CellValue cell = m_table.cell(row, m_regiao);
        EXPECT_EQ(cell.kind, expected[row] ? FieldKind::Text : FieldKind::Group) << row;
    }
}

TEST_F(ResultTableTest, RowsCursorAndPlainText) {
    EXPECT_TRUE(m_table.eof());
    EXPECT_TRUE(m_table.bof());
    EXPECT_EQ(m_table.recNo(), 0);
    addRow(QStringLiteral("Nordeste"), 5, 1234.5);
    addRow(QStringLiteral("Norte"), 6, 0.1 + 0.2);
    EXPECT_EQ(m_table.recordCount(), 2);
    EXPECT_EQ(m_table.asString(0, m_regiao), QStringLiteral("Norde")); // cut to the field's size
    EXPECT_EQ(m_table.plainText(0, m_a), QStringLiteral("1234,5"));
    EXPECT_EQ(m_table.plainText(1, m_a), QStringLiteral("0,3"));
    EXPECT_EQ(m_table.plainText(0, m_b), QString()); // never set: null
    EXPECT_EQ(m_table.plainText(0, m_tipo), QStringLiteral("5"));

    m_table.first();
    EXPECT_TRUE(m_table.bof());
    EXPECT_EQ(m_table.recNo(), 1);
    m_table.next();
    EXPECT_EQ(m_table.recNo(), 2);
    EXPECT_FALSE(m_table.eof());
    m_table.next();
    EXPECT_TRUE(m_table.eof());
    EXPECT_EQ(m_table.recNo(), 2); // stays on the last row
}

// A cell never set is null: its value and plain text are empty, and read
// as a number it is 0, in a number column as in an integer one.
TEST_F(ResultTableTest, NullNumbersReadAsZero) {
    m_table.append();
    EXPECT_TRUE(m_table.value(0, m_a).isNull());
    EXPECT_TRUE(m_table.value(0, m_tipo).isNull());
    EXPECT_EQ(m_table.plainText(0, m_a), QString());
    for (const int field : {m_a, m_tipo}) {
        EXPECT_EQ(m_table.asFloat(0, field), 0.0) << field;
        EXPECT_EQ(m_table.asInteger(0, field), 0) << field;
    }
}

TEST_F(ResultTableTest, SuspendedUpdatesReachViewsOnceOnResume) {
    QSignalSpy resets(&m_table, &ResultTable::contentReset);
    QSignalSpy scrolls(&m_table, &ResultTable::afterScroll);
    m_table.disableControls();
    for (int i = 0; i < 100; ++i)
        addRow(QStringLiteral("R"), 1, i);
    m_table.first();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(scrolls.count(), 0);
    m_table.enableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(scrolls.count(), 1);
    m_table.next();
    EXPECT_EQ(scrolls.count(), 2);
}

TEST_F(ResultTableTest, CloseNotifiesAndEmpties) {
    addRow(QStringLiteral("N"), 5, 1);
    QSignalSpy closes(&m_table, &ResultTable::afterClose);
    m_table.close();
    m_table.close();
    EXPECT_EQ(closes.count(), 1);
    EXPECT_FALSE(m_table.isActive());
    EXPECT_EQ(m_table.recordCount(), 0);
    EXPECT_THROW(m_table.append(), AppError);
}

} // namespace
