#include "base/table/result_assembly.h"

#include "base/data/query.h"
#include "base/data/study_schema.h"
#include "base/table/attribute_catalogue.h"
#include "base/table/result_table.h"
#include "base/table/row_kind.h"
#include "base/table/topic_code.h"
#include "base/table/value_text.h"

#include <vector>

namespace ResultAssembly {
namespace {

struct FixedField {
    QLatin1String name;
    const char *title;
    int width;
    int listWidth; // width in the municipality list
};

// Pais, the territory fields, CodMunic (list only) and Municipio, in field order.
const FixedField kFixed[] = {
    {QLatin1String("Pais"), "País", 7, 7},
    {StudySchema::kRegiao, "Região", 10, 11},
    {StudySchema::kUnidadeFederativa, "U.F.", 3, 15},
    {StudySchema::kMicroRegiao, "Microrregião", 15, 18},
    {StudySchema::kRegiaoMetropolitana, "R. Metropolitana", 10, 20},
    {QLatin1String("CodMunic"), "Cod.Mun.", 7, 7},
    {StudySchema::kMunicipio, "Município", 17, 20},
};

bool startsWithZZ(const QString &text) { return text.startsWith(QLatin1String("ZZ")); }

// The columns of the value query and the fields of the result table that
// the fill reads and writes, looked up once for all rows.
struct FillColumns {
    int dRegiao = -1, dUF = -1, dMicro = -1, dRM = -1, dMunicipio = -1;
    int fRegiao = -1, fUF = -1, fMicro = -1, fRM = -1, fMunicipio = -1, fTipo = -1;
    // Table topics: the row kind and one data column per value field.
    int qTipo = -1;
    std::vector<std::pair<int, int>> values; // (query column, table field)
    // The municipality list: its code and population.
    int qMunicipio = -1, qPopulacao = -1, fCodMunic = -1, fPopulacao = -1;
};

FillColumns lookUpColumns(ResultTable &cdsDados, Query &qValorNivel, const RunPlan &plan,
                          const std::vector<AttributeLine> &attributes) {
    auto column = [&](QLatin1String name) { return qValorNivel.fieldByName(name).index(); };
    auto field = [&](QLatin1String name) { return cdsDados.fieldByName(name).index(); };
    FillColumns c;
    c.dRegiao = column(QLatin1String("DRegiao"));
    c.dUF = column(QLatin1String("DUnidade_Federativa"));
    c.dMicro = column(QLatin1String("DMicro_Regiao"));
    c.dRM = column(QLatin1String("DRegiao_Metropolitana"));
    c.dMunicipio = column(QLatin1String("DMunicipio"));
    c.fRegiao = field(StudySchema::kRegiao);
    c.fUF = field(StudySchema::kUnidadeFederativa);
    c.fMicro = field(StudySchema::kMicroRegiao);
    c.fRM = field(StudySchema::kRegiaoMetropolitana);
    c.fMunicipio = field(StudySchema::kMunicipio);
    c.fTipo = field(StudySchema::kTipoRegistro);
    if (!plan.municipalityList) {
        c.qTipo = column(StudySchema::kTipoRegistro);
        for (const AttributeLine &line : attributes) {
            if (line.isValue())
                c.values.emplace_back(qValorNivel.fieldByName(line.name).index(),
                                      cdsDados.fieldByName(line.path).index());
        }
    } else {
        c.qMunicipio = column(StudySchema::kMunicipio);
        c.qPopulacao = column(StudySchema::kPopulacaoCidade);
        c.fCodMunic = field(QLatin1String("CodMunic"));
        c.fPopulacao = field(StudySchema::kPopulacaoCidade);
    }
    return c;
}

// The territory cells of a row. A display text beginning with "ZZ" stands
// for "all of this level": the row sums the level's territories. On a total
// row the widest shown column says "TOTAL" (the state column alone says
// "TOT.", being three characters wide); every other summing cell stays empty.
const QString kTotal = QStringLiteral("TOTAL");

// A total row shows "TOTAL" in place of its region's name; a row summing
// every region shows it only while the region column is shown.
QString regiaoCell(const QString &text, bool isTotal, const ShownTerritory &shown) {
    if (!startsWithZZ(text))
        return isTotal ? kTotal : text;
    return shown.regiao && isTotal ? kTotal : QString();
}

// A named state is left out of a total row, whose "TOTAL" stands elsewhere.
QString ufCell(const QString &text, bool isTotal, const ShownTerritory &shown) {
    if (!startsWithZZ(text))
        return isTotal ? QString() : text;
    const bool onlyState =
        shown.unidadeFederativa && !shown.regiao && !shown.municipio && !shown.microRegiao && !shown.regiaoMetropolitana;
    return isTotal && onlyState ? QStringLiteral("TOT.") : QString();
}

// Micro-regions and metropolitan regions total below the region column.
QString regionalCell(const QString &text, bool isTotal, bool columnShown, const ShownTerritory &shown) {
    if (!startsWithZZ(text))
        return text;
    return columnShown && isTotal && !shown.regiao ? kTotal : QString();
}

// Municipality names: "ZZZ" sums every municipality, "ZZDEMAIS..." is the
// row of the small towns, shown without its sorting prefix.
QString municipioCell(const QString &text, bool isTotal, const ShownTerritory &shown) {
    if (!text.startsWith(QLatin1String("ZZZ"))) {
        if (text.startsWith(QLatin1String("ZZDEMAIS"), Qt::CaseInsensitive))
            return text.mid(2).left(40);
        return text;
    }
    const bool widest = shown.municipio && !shown.regiao && !shown.microRegiao && !shown.regiaoMetropolitana;
    return widest && isTotal ? kTotal : QString();
}

} // namespace

void define(ResultTable &cdsDados, const QString &topic, const RunPlan &plan, Query &qAux, QStringList &FAtributos) {
    const bool list = plan.municipalityList;
    cdsDados.clearFields();
    cdsDados.addField(QStringLiteral("Pais"), FieldKind::Text, 25);
    cdsDados.addField(StudySchema::kRegiao, FieldKind::Text, 15);
    cdsDados.addField(StudySchema::kUnidadeFederativa, FieldKind::Text, list ? 25 : 4);
    cdsDados.addField(StudySchema::kMicroRegiao, FieldKind::Text, 40);
    cdsDados.addField(StudySchema::kRegiaoMetropolitana, FieldKind::Text, 40);
    if (list)
        cdsDados.addField(QStringLiteral("CodMunic"), FieldKind::Text, 10);
    cdsDados.addField(StudySchema::kMunicipio, FieldKind::Text, 40);
    cdsDados.addField(StudySchema::kTipoRegistro, FieldKind::Integer);
    if (list)
        cdsDados.addField(StudySchema::kPopulacaoCidade, FieldKind::Float);

    CarregaAtributos(qAux, TopicCode::tableName(topic), cdsDados, FAtributos);
    cdsDados.createDataSet();

    const ShownTerritory &shown = plan.shown;
    cdsDados.fieldByName(QStringLiteral("Pais")).setVisible(false);
    cdsDados.fieldByName(StudySchema::kTipoRegistro).setVisible(false);
    cdsDados.fieldByName(StudySchema::kRegiao).setVisible(shown.regiao);
    cdsDados.fieldByName(StudySchema::kUnidadeFederativa).setVisible(shown.unidadeFederativa);
    cdsDados.fieldByName(StudySchema::kMicroRegiao).setVisible(shown.microRegiao);
    cdsDados.fieldByName(StudySchema::kRegiaoMetropolitana).setVisible(shown.regiaoMetropolitana);
    cdsDados.fieldByName(StudySchema::kMunicipio).setVisible(shown.municipio);
}

QString label(ResultTable &cdsDados, const RunPlan &plan, const std::vector<AttributeLine> &attributes,
              const QString &campoLocal) {
    const bool list = plan.municipalityList;
    for (const FixedField &fixed : kFixed) {
        const int index = cdsDados.findField(fixed.name);
        if (index < 0)
            continue;
        ResultField &field = cdsDados.field(index);
        field.setDisplayLabel(QString::fromUtf8(fixed.title));
        field.setDisplayWidth(list ? fixed.listWidth : fixed.width);
    }

    QString local = campoLocal;
    if (!list) {
        using namespace StudySchema;
        for (const QLatin1String name : {kRegiao, kUnidadeFederativa, kMicroRegiao, kRegiaoMetropolitana, kMunicipio})
            if (cdsDados.fieldByName(name).isVisible())
                local = name;
        for (const AttributeLine &line : attributes) {
            ResultField &field = cdsDados.fieldByName(line.path);
            field.setDisplayLabel(line.title);
            if (!line.isValue())
                continue;
            field.setDisplayFormat(line.formula.isEmpty() ? QStringLiteral("###,##0") : QStringLiteral("##0.00"));
            if (line.sample == QLatin1String("S"))
                field.setTag(line.formula.isEmpty() ? 1 : 2);
            field.setOnGetText(ValorGetText);
        }
    } else {
        ResultField &populacao = cdsDados.fieldByName(StudySchema::kPopulacaoCidade);
        populacao.setDisplayLabel(QStringLiteral("População Total"));
        populacao.setDisplayWidth(7);
        populacao.setDisplayFormat(QStringLiteral("###,##0"));
    }
    return local;
}

namespace {

// Appends the result row of the query's row.
void appendRow(ResultTable &cdsDados, const Query &qValorNivel, int row, const FillColumns &c, const RunPlan &plan,
               int totalKind) {
    const bool list = plan.municipalityList;
    const ShownTerritory &shown = plan.shown;
    // Display texts share the query's strings; other kinds and nulls are
    // converted.
    auto text = [&](int col) { return qValorNivel.asString(row, col); };

    cdsDados.append();
    const qint64 tipo = list ? qint64{RowKind::Municipio} : qValorNivel.asInteger(row, c.qTipo);
    const bool isTotal = !list && tipo == totalKind;

    cdsDados.setText(c.fRegiao, regiaoCell(text(c.dRegiao), isTotal, shown));
    cdsDados.setText(c.fUF, ufCell(text(c.dUF), isTotal, shown));
    cdsDados.setText(c.fMicro, regionalCell(text(c.dMicro), isTotal, shown.microRegiao, shown));
    cdsDados.setText(c.fRM, regionalCell(text(c.dRM), isTotal, shown.regiaoMetropolitana, shown));
    cdsDados.setText(c.fMunicipio, municipioCell(text(c.dMunicipio), isTotal, shown));

    if (!list) {
        cdsDados.setInteger(c.fTipo, tipo);
        // A figure the study lacks stays empty: read as a number it would
        // be a 0 that looks like a figure in the files written.
        for (const auto &[col, f] : c.values)
            if (!qValorNivel.isNull(row, col))
                cdsDados.setFloat(f, qValorNivel.asFloat(row, col));
    } else {
        cdsDados.setText(c.fCodMunic, text(c.qMunicipio));
        if (!qValorNivel.isNull(row, c.qPopulacao))
            cdsDados.setFloat(c.fPopulacao, static_cast<double>(qValorNivel.asInteger(row, c.qPopulacao)));
        cdsDados.setInteger(c.fTipo, RowKind::Municipio);
    }
}

} // namespace

void fill(ResultTable &cdsDados, Query &qValorNivel, const RunPlan &plan, int totalKind,
          const std::vector<AttributeLine> &attributes, const Progress &progress) {
    const int rows = qValorNivel.recordCount();
    if (progress.start)
        progress.start(rows);
    cdsDados.disableControls();
    cdsDados.reserve(rows);
    const FillColumns c = lookUpColumns(cdsDados, qValorNivel, plan, attributes);
    for (int row = 0; row < rows; ++row) {
        appendRow(cdsDados, qValorNivel, row, c, plan, totalKind);
        if (progress.step)
            progress.step(row + 1);
    }
    cdsDados.first();
}

void stream(ResultTable &cdsDados, Query &qValorNivel, const RunPlan &plan, int totalKind,
            const std::vector<AttributeLine> &attributes, const RowSink &sink) {
    cdsDados.disableControls();
    const FillColumns c = lookUpColumns(cdsDados, qValorNivel, plan, attributes);
    while (qValorNivel.fetch()) {
        cdsDados.clearRows();
        appendRow(cdsDados, qValorNivel, 0, c, plan, totalKind);
        sink(cdsDados, 0);
    }
    cdsDados.clearRows();
}

} // namespace ResultAssembly
