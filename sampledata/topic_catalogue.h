#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What a municipality's figure is drawn from.
enum class Measure { Households, UrbanHouseholds, RuralHouseholds, Population, UrbanPopulation, RuralPopulation };

// How one value column of a data table is made at the municipality level.
// Every reference names an earlier column of the same table, so a column
// can be computed once the ones before it are.
struct FigureSource {
    enum Kind {
        Heading, // a group heading, no column
        Base,    // rate x measure, spread by a random factor
        Share,   // a part of the parent column not yet taken by its earlier parts
        Rest,    // whatever of the parent column its parts left
        Sum,     // the sum of other columns
        Percent, // 100 x numerator / denominator, recomputed at every level
    };
    Kind kind = Heading;
    Measure measure = Measure::Households;
    double rate = 1.0;
    double spread = 0.0;
    QString parent;
    QStringList parts;
    QString numerator;
    QString denominator;
};

// One row of a table's attribute catalogue.
struct CatalogueRow {
    QString atributo; // column name, and the display order
    QString title;
    QString level; // "P", "PF", "PFF" or "F"
    bool survey = false;
    FigureSource source;
    bool value = false; // a value column (the look-ahead rule), else a group

    QString formula() const;
};

struct TopicTable {
    QString code;
    QString title;
    std::vector<CatalogueRow> rows; // empty for the municipality list
    QStringList notes;

    // The data table: the code without its dots.
    QString tableName() const { return QString(code).remove(QLatin1Char('.')); }
};

struct TopicHeading {
    QString code;
    QString title;
};

// The topics of the sample study: headings about housing needs, the table
// topics under them with their attribute catalogues and notes, and the
// municipality list "03".
class TopicCatalogue {
public:
    static TopicCatalogue sample();

    static constexpr const char *kMunicipalityList = "03";

    const std::vector<TopicHeading> &headings() const { return m_headings; }
    const std::vector<TopicTable> &tables() const { return m_tables; }

    // Which rows become value columns: a "P" row followed by another "P",
    // a "PF" row not followed by "F" or "PFF", a "PFF" row not followed by
    // "F", and every "F" row. The last row looks ahead at its own level.
    static std::vector<bool> valueRows(const QStringList &levels);

private:
    std::vector<TopicHeading> m_headings;
    std::vector<TopicTable> m_tables;
};
