#include "base/table/attribute_catalogue.h"

#include "base/data/query.h"
#include "base/data/text_utils.h"
#include "base/table/attribute_line.h"
#include "base/table/result_table.h"

#include "base/data/app_error.h"

#include <QRegularExpression>

namespace {

using TextUtils::cut;

// The catalogue rows of one table, in display order.
void openCatalogue(Query &qAux, const QString &tabela) {
    qAux.close();
    qAux.sql().clear();
    qAux.sql() << QStringLiteral("select Atributo, Descricao_Atributo, Tipo_Atributo, Formula_Percentual_Total, "
                                 "Atributo_Pesquisa_Rustico")
               << QStringLiteral("  from Nome_Atributos_Tab_Valor")
               << QStringLiteral(" where Tabela = '%1'").arg(TextUtils::doubleQuotes(tabela))
               << QStringLiteral("order by Atributo");
    qAux.open();
}

// A column name is pasted into the value statement: only a plain name
// (letters, digits, underscore) may be.
QString checkedColumnName(const QString &name, const QString &tabela) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!plain.match(name).hasMatch())
        throw AppError(QStringLiteral("O catálogo da tabela %1 tem um nome de coluna inválido: \"%2\" (um nome de "
                                      "coluna só tem letras, algarismos e _).")
                           .arg(tabela, TextUtils::shortened(name)));
    return name;
}

struct CatalogueColumns {
    int atributo, descricao, tipo, formula, rustico;
};

// Where the catalogue stands while it is read: the names of the headings
// above the current row at each of the three heading levels ("P", "PF",
// "PFF"), and the group field that takes the figures of level "F".
struct HeadingPath {
    QString level1, level2, level3;
    int currentGroup = -1;
};

bool isHeadingLevel(const QString &level) {
    return level == QLatin1String("P") || level == QLatin1String("PF") || level == QLatin1String("PFF");
}

// The last child of a field, or -1 when it is not a group or has none.
int lastChild(const ResultTable &table, int field) {
    if (field < 0 || table.field(field).children().empty())
        return -1;
    return table.field(field).children().back();
}

int lastTopLevel(const ResultTable &table) {
    return table.topLevelFields().empty() ? -1 : table.topLevelFields().back();
}

// The next row's level decides whether a heading has anything under it; on
// the last row the cursor stays put and reads its own level.
QString nextLevel(Query &qAux, int tipo) {
    qAux.next();
    const QString level = cut(qAux.field(tipo).asString());
    if (!qAux.eof())
        qAux.prior();
    return level;
}

// Adds the row's field under parent: a group when something follows under
// it, which then takes the figures of level "F", or else a value field.
// Returns the kind of the row's line.
QString addField(ResultTable &cdsDados, HeadingPath &path, const QString &name, int parent, bool hasMembers) {
    if (!hasMembers) {
        cdsDados.addField(name, FieldKind::Float, 0, parent);
        return AttributeLine::kValue;
    }
    path.currentGroup = cdsDados.addField(name, FieldKind::Group, 0, parent);
    return AttributeLine::kGroup;
}

// Places one catalogue row by its own level and the next row's, moving the
// heading path along; returns the kind of its line.
QString placeRow(ResultTable &cdsDados, HeadingPath &path, const QString &name, const QString &ownLevel,
                 const QString &next) {
    if (ownLevel == QLatin1String("P")) {
        path.level1 = cut(name);
        path.level2.clear();
        path.level3.clear();
        return addField(cdsDados, path, name, -1, next != QLatin1String("P"));
    }
    if (ownLevel == QLatin1String("PF")) {
        path.level2 = cut(name);
        path.level3.clear();
        return addField(cdsDados, path, name, lastTopLevel(cdsDados),
                        next == QLatin1String("F") || next == QLatin1String("PFF"));
    }
    if (ownLevel == QLatin1String("PFF")) {
        path.level3 = cut(name);
        return addField(cdsDados, path, name, lastChild(cdsDados, lastTopLevel(cdsDados)), next == QLatin1String("F"));
    }
    cdsDados.addField(name, FieldKind::Float, 0, path.currentGroup);
    return AttributeLine::kValue;
}

// The row's full name in the result table: the headings above it, then its
// own name when it is a figure of level "F".
QString fullName(const HeadingPath &path, const QString &name, const QString &ownLevel) {
    QString result;
    if (!path.level1.isEmpty())
        result = path.level1;
    if (!path.level2.isEmpty())
        result = cut(result + QLatin1Char('.') + path.level2);
    if (!path.level3.isEmpty())
        result = cut(result + QLatin1Char('.') + path.level3);
    if (!isHeadingLevel(ownLevel))
        result = cut(result + QLatin1Char('.') + name);
    return result;
}

} // namespace

void CarregaAtributos(Query &qAux, const QString &tabela, ResultTable &cdsDados, QStringList &FAtributos) {
    openCatalogue(qAux, tabela);
    const CatalogueColumns columns{qAux.fieldByName(QStringLiteral("Atributo")).index(),
                                   qAux.fieldByName(QStringLiteral("Descricao_Atributo")).index(),
                                   qAux.fieldByName(QStringLiteral("Tipo_Atributo")).index(),
                                   qAux.fieldByName(QStringLiteral("Formula_Percentual_Total")).index(),
                                   qAux.fieldByName(QStringLiteral("Atributo_Pesquisa_Rustico")).index()};

    HeadingPath path;
    while (!qAux.eof()) {
        AttributeLine line;
        line.title = qAux.field(columns.descricao).asString();
        line.name = checkedColumnName(qAux.field(columns.atributo).asString(), tabela);
        line.formula = qAux.field(columns.formula).asString();
        line.sample = qAux.field(columns.rustico).asString();
        const QString ownLevel = qAux.field(columns.tipo).asString();
        const QString next = nextLevel(qAux, columns.tipo);

        line.kind = placeRow(cdsDados, path, line.name, ownLevel, next);
        line.path = fullName(path, line.name, ownLevel);
        FAtributos << line.text();
        qAux.next();
    }
    qAux.first();
}
