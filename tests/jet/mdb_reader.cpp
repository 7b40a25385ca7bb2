#include "mdb_reader.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Unquoted in mdb-export's output, so it cannot be taken for a text.
const QString kNull = QStringLiteral("NULL");

// Splits mdb-export's comma-separated output: quoted fields may hold commas,
// line ends and doubled quotes; a field that was not quoted and reads as the
// null marker is a null.
std::vector<ExportedRow> parseCsv(const QString &text) {
    std::vector<ExportedRow> rows;
    ExportedRow row;
    QString field;
    bool quoted = false;
    bool inQuotes = false;
    auto endField = [&] {
        if (!quoted && field == kNull)
            row.push_back(std::nullopt);
        else
            row.push_back(field);
        field.clear();
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            inQuotes = quoted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            endField();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && row.empty() && !inQuotes) << "mdb-export's output ends inside a row";
    return rows;
}

} // namespace

QString MdbReader::run(const QString &program, const QStringList &arguments) const {
    QProcess process;
    // Numbers with a point and texts in UTF-8, whatever the user's locale.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << program.toStdString() << " did not finish: " << process.errorString().toStdString();
        return {};
    }
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << arguments.join(u' ').toStdString();
    EXPECT_TRUE(errors.isEmpty()) << program.toStdString() << " " << arguments.join(u' ').toStdString() << ": "
                                  << errors.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList MdbReader::tables() const {
    return run(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), m_file}).split(u'\n', Qt::SkipEmptyParts);
}

std::vector<std::pair<QString, QString>> MdbReader::columns(const QString &table) const {
    const QString schema =
        run(QStringLiteral("mdb-schema"), {QStringLiteral("--no-relations"), QStringLiteral("--no-indexes"),
                                           QStringLiteral("-T"), table, m_file, QStringLiteral("access")});
    // Column lines read "\t[name]\t\t\tType (size), ".
    static const QRegularExpression line(QStringLiteral("^\\t\\[(.+)\\]\\t+(.+?),? *$"));
    std::vector<std::pair<QString, QString>> columns;
    for (const QString &text : schema.split(u'\n')) {
        if (const QRegularExpressionMatch m = line.match(text); m.hasMatch())
            columns.emplace_back(m.captured(1), m.captured(2));
    }
    return columns;
}

MdbReader::Export MdbReader::exportTable(const QString &table) const {
    std::vector<ExportedRow> rows =
        parseCsv(run(QStringLiteral("mdb-export"),
                     {QStringLiteral("-0"), kNull, QStringLiteral("-T"), QStringLiteral("%Y-%m-%d %H:%M:%S"),
                      QStringLiteral("-b"), QStringLiteral("hex"), m_file, table}));
    Export result;
    if (rows.empty()) {
        ADD_FAILURE() << "mdb-export wrote no header for " << table.toStdString();
        return result;
    }
    for (const std::optional<QString> &name : rows.front())
        result.header << name.value_or(QString());
    result.rows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
    return result;
}
