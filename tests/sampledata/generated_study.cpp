#include "generated_study.h"

#include "base/data/query.h"

GeneratedStudy::GeneratedStudy() {
    m_database.setPath(file(QStringLiteral("Dados/Solvane.db")));
    m_database.setConnected(true);
}

GeneratedStudy &GeneratedStudy::instance() {
    static GeneratedStudy study;
    return study;
}

QString GeneratedStudy::file(const QString &relativePath) {
    return QStringLiteral(SOLVANE_PROGRAM_DIR) + QLatin1Char('/') + relativePath;
}

std::vector<QVariantList> GeneratedStudy::rows(const QStringList &lines, QStringList *columns) {
    Query query(m_database);
    query.sql() = lines;
    query.open();
    if (columns) {
        columns->clear();
        for (int c = 0; c < query.fieldCount(); ++c)
            *columns << query.field(c).name();
    }
    std::vector<QVariantList> result;
    for (int r = 0; r < query.recordCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < query.fieldCount(); ++c)
            row << query.value(r, c);
        result.push_back(row);
    }
    return result;
}

QVariant GeneratedStudy::value(const QString &statement) {
    const auto result = rows(statement);
    return result.empty() || result.front().isEmpty() ? QVariant() : result.front().front();
}
