#pragma once

#include "base/data/database.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// The sample study the build wrote beside the program, read through the
// program's own data layer.
class GeneratedStudy {
public:
    static GeneratedStudy &instance();

    static QString file(const QString &relativePath);

    // Runs a statement given as lines; one entry per row, one value per column.
    std::vector<QVariantList> rows(const QStringList &lines, QStringList *columns = nullptr);
    std::vector<QVariantList> rows(const QString &statement) { return rows(QStringList{statement}); }
    QVariant value(const QString &statement);

private:
    GeneratedStudy();
    Database m_database;
};
