#include "table/attribute_catalogue.h"

#include "data/query.h"
#include "data/text_utils.h"
#include "table/attribute_line.h"
#include "table/result_table.h"

namespace {

QString quoted(QString text) { return text.replace(QLatin1Char('\''), QStringLiteral("''")); }

// The last child of a field, or -1 when it is not a group or has none.
int lastChild(const ResultTable &table, int field) {
    if (field < 0 || table.field(field).children().empty())
        return -1;
    return table.field(field).children().back();
}

int lastTopLevel(const ResultTable &table) {
    return table.topLevelFields().empty() ? -1 : table.topLevelFields().back();
}

} // namespace

void CarregaAtributos(Query &qAux, const QString &tabela, ResultTable &cdsDados, QStringList &FAtributos) {
    using TextUtils::cut;

    qAux.close();
    qAux.sql().clear();
    qAux.sql() << QStringLiteral("select Atributo, Descricao_Atributo, Tipo_Atributo, Formula_Percentual_Total, "
                                 "Atributo_Pesquisa_Rustico")
               << QStringLiteral("  from Nome_Atributos_Tab_Valor")
               << QStringLiteral(" where Tabela = '%1'").arg(quoted(tabela)) << QStringLiteral("order by Atributo");
    qAux.open();

    const int atributo = qAux.fieldByName(QStringLiteral("Atributo")).index();
    const int descricao = qAux.fieldByName(QStringLiteral("Descricao_Atributo")).index();
    const int tipo = qAux.fieldByName(QStringLiteral("Tipo_Atributo")).index();
    const int formula = qAux.fieldByName(QStringLiteral("Formula_Percentual_Total")).index();
    const int rustico = qAux.fieldByName(QStringLiteral("Atributo_Pesquisa_Rustico")).index();

    QString level1, level2, level3;
    int currentGroup = -1;

    while (!qAux.eof()) {
        AttributeLine line;
        line.kind = AttributeLine::kGroup;
        line.title = qAux.field(descricao).asString();
        line.name = qAux.field(atributo).asString();
        line.formula = qAux.field(formula).asString();
        line.sample = qAux.field(rustico).asString();
        const QString ownLevel = qAux.field(tipo).asString();

        // The next row's level decides whether a heading has anything under
        // it; on the last row the cursor stays put and reads its own level.
        qAux.next();
        const QString nextLevel = cut(qAux.field(tipo).asString());
        if (!qAux.eof())
            qAux.prior();

        const QString &name = line.name;
        if (ownLevel == QLatin1String("P")) {
            level1 = cut(name);
            level2.clear();
            level3.clear();
            if (nextLevel == QLatin1String("P")) {
                line.kind = AttributeLine::kValue;
                cdsDados.addField(name, FieldKind::Float);
            } else {
                currentGroup = cdsDados.addField(name, FieldKind::Group);
            }
        } else if (ownLevel == QLatin1String("PF")) {
            level2 = cut(name);
            level3.clear();
            const int parent = lastTopLevel(cdsDados);
            if (nextLevel != QLatin1String("F") && nextLevel != QLatin1String("PFF")) {
                line.kind = AttributeLine::kValue;
                cdsDados.addField(name, FieldKind::Float, 0, parent);
            } else {
                currentGroup = cdsDados.addField(name, FieldKind::Group, 0, parent);
            }
        } else if (ownLevel == QLatin1String("PFF")) {
            level3 = cut(name);
            const int parent = lastChild(cdsDados, lastTopLevel(cdsDados));
            if (nextLevel != QLatin1String("F")) {
                line.kind = AttributeLine::kValue;
                cdsDados.addField(name, FieldKind::Float, 0, parent);
            } else {
                currentGroup = cdsDados.addField(name, FieldKind::Group, 0, parent);
            }
        } else {
            line.kind = AttributeLine::kValue;
            cdsDados.addField(name, FieldKind::Float, 0, currentGroup);
        }

        QString path;
        if (!level1.isEmpty())
            path = level1;
        if (!level2.isEmpty())
            path = cut(path + QLatin1Char('.') + level2);
        if (!level3.isEmpty())
            path = cut(path + QLatin1Char('.') + level3);
        if (ownLevel != QLatin1String("P") && ownLevel != QLatin1String("PF") && ownLevel != QLatin1String("PFF"))
            path = cut(path + QLatin1Char('.') + name);
        line.path = path;

        FAtributos << line.text();
        qAux.next();
    }
    qAux.first();
}
