#include "table/result_assembly.h"

#include "data/query.h"
#include "table/attribute_catalogue.h"
#include "table/result_table.h"
#include "table/value_text.h"

#include <vector>

namespace ResultAssembly {
namespace {

struct FixedField {
    const char *name;
    const char *title;
    int width;
    int listWidth; // width in the municipality list "03"
};

// Pais, the territory fields, CodMunic (list only) and Municipio, in field order.
const FixedField kFixed[] = {
    {"Pais", "País", 7, 7},
    {"Regiao", "Região", 10, 11},
    {"Unidade_Federativa", "U.F.", 3, 15},
    {"Micro_Regiao", "Microrregião", 15, 18},
    {"Regiao_Metropolitana", "R. Metropolitana", 10, 20},
    {"CodMunic", "Cod.Mun.", 7, 7},
    {"Municipio", "Município", 17, 20},
};

bool isList(const QString &topic) { return topic == QueryBuilder::kMunicipalityList; }

bool startsWithZZ(const QString &text) { return text.startsWith(QLatin1String("ZZ")); }

// A figure of the data row; null reads as 0. Real columns come straight
// from the cell, which matters on tables of thousands of rows by dozens of
// figures.
double number(const QVariant &v) {
    switch (v.metaType().id()) {
    case QMetaType::Double:
        return *static_cast<const double *>(v.constData());
    case QMetaType::LongLong:
        return static_cast<double>(*static_cast<const qint64 *>(v.constData()));
    default:
        return v.isNull() ? 0.0 : v.toDouble();
    }
}

} // namespace

void define(ResultTable &cdsDados, const QString &topic, const ShownTerritory &shown, Query &qAux,
            QStringList &FAtributos) {
    const bool list = isList(topic);
    cdsDados.clearFields();
    cdsDados.addField(QStringLiteral("Pais"), FieldKind::Text, 25);
    cdsDados.addField(QStringLiteral("Regiao"), FieldKind::Text, 15);
    cdsDados.addField(QStringLiteral("Unidade_Federativa"), FieldKind::Text, list ? 25 : 4);
    cdsDados.addField(QStringLiteral("Micro_Regiao"), FieldKind::Text, 40);
    cdsDados.addField(QStringLiteral("Regiao_Metropolitana"), FieldKind::Text, 40);
    if (list)
        cdsDados.addField(QStringLiteral("CodMunic"), FieldKind::Text, 10);
    cdsDados.addField(QStringLiteral("Municipio"), FieldKind::Text, 40);
    cdsDados.addField(QStringLiteral("Tipo_Registro"), FieldKind::Integer);
    if (list)
        cdsDados.addField(QStringLiteral("Populacao_Cidade"), FieldKind::Float);

    CarregaAtributos(qAux, QueryBuilder::tableName(topic), cdsDados, FAtributos);
    cdsDados.createDataSet();

    cdsDados.fieldByName(QStringLiteral("Pais")).setVisible(false);
    cdsDados.fieldByName(QStringLiteral("Tipo_Registro")).setVisible(false);
    cdsDados.fieldByName(QStringLiteral("Regiao")).setVisible(shown.regiao);
    cdsDados.fieldByName(QStringLiteral("Unidade_Federativa")).setVisible(shown.unidadeFederativa);
    cdsDados.fieldByName(QStringLiteral("Micro_Regiao")).setVisible(shown.microRegiao);
    cdsDados.fieldByName(QStringLiteral("Regiao_Metropolitana")).setVisible(shown.regiaoMetropolitana);
    cdsDados.fieldByName(QStringLiteral("Municipio")).setVisible(shown.municipio);
}

QString label(ResultTable &cdsDados, const QString &topic, const std::vector<AttributeLine> &attributes,
              const QString &campoLocal) {
    const bool list = isList(topic);
    for (const FixedField &fixed : kFixed) {
        const int index = cdsDados.findField(QLatin1String(fixed.name));
        if (index < 0)
            continue;
        ResultField &field = cdsDados.field(index);
        field.setDisplayLabel(QString::fromUtf8(fixed.title));
        field.setDisplayWidth(list ? fixed.listWidth : fixed.width);
    }

    QString local = campoLocal;
    if (!list) {
        for (const char *name : {"Regiao", "Unidade_Federativa", "Micro_Regiao", "Regiao_Metropolitana", "Municipio"})
            if (cdsDados.fieldByName(QLatin1String(name)).isVisible())
                local = QLatin1String(name);
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
        ResultField &populacao = cdsDados.fieldByName(QStringLiteral("Populacao_Cidade"));
        populacao.setDisplayLabel(QStringLiteral("População Total"));
        populacao.setDisplayWidth(7);
        populacao.setDisplayFormat(QStringLiteral("###,##0"));
    }
    return local;
}

void fill(ResultTable &cdsDados, Query &qValorNivel, const QString &topic, const ShownTerritory &shown, int totalKind,
          const std::vector<AttributeLine> &attributes, const Progress &progress) {
    const bool list = isList(topic);
    const int rows = qValorNivel.recordCount();
    if (progress.start)
        progress.start(rows);
    cdsDados.disableControls();
    cdsDados.reserve(rows);

    auto column = [&](const char *name) { return qValorNivel.fieldByName(QLatin1String(name)).index(); };
    auto field = [&](const char *name) { return cdsDados.fieldByName(QLatin1String(name)).index(); };
    const int dRegiao = column("DRegiao"), dUF = column("DUnidade_Federativa"), dMicro = column("DMicro_Regiao"),
              dRM = column("DRegiao_Metropolitana"), dMunicipio = column("DMunicipio");
    const int fRegiao = field("Regiao"), fUF = field("Unidade_Federativa"), fMicro = field("Micro_Regiao"),
              fRM = field("Regiao_Metropolitana"), fMunicipio = field("Municipio"), fTipo = field("Tipo_Registro");

    // Table topics: the row kind and one data column per value field.
    int qTipo = -1;
    std::vector<std::pair<int, int>> values; // (query column, table field)
    int qMunicipio = -1, qPopulacao = -1, fCodMunic = -1, fPopulacao = -1;
    if (!list) {
        qTipo = column("Tipo_Registro");
        for (const AttributeLine &line : attributes) {
            if (line.isValue())
                values.emplace_back(qValorNivel.fieldByName(line.name).index(),
                                    cdsDados.fieldByName(line.path).index());
        }
    } else {
        qMunicipio = column("Municipio");
        qPopulacao = column("Populacao_Cidade");
        fCodMunic = field("CodMunic");
        fPopulacao = field("Populacao_Cidade");
    }

    // Display texts are read in place; other kinds and nulls are converted.
    auto text = [&](int row, int col) {
        const QVariant &v = qValorNivel.value(row, col);
        if (v.metaType().id() == QMetaType::QString)
            return *static_cast<const QString *>(v.constData());
        return v.isNull() ? QString() : v.toString();
    };
    const QString total = QStringLiteral("TOTAL");

    for (int row = 0; row < rows; ++row) {
        cdsDados.append();
        const qint64 tipo = list ? 1 : qValorNivel.value(row, qTipo).toLongLong();
        const bool isTotal = !list && tipo == totalKind;

        const QString regiao = text(row, dRegiao);
        if (!startsWithZZ(regiao))
            cdsDados.setText(fRegiao, isTotal ? total : regiao);
        else
            cdsDados.setText(fRegiao, shown.regiao && isTotal ? total : QString());

        const QString uf = text(row, dUF);
        if (!startsWithZZ(uf))
            cdsDados.setText(fUF, isTotal ? QString() : uf);
        else
            cdsDados.setText(fUF, isTotal && shown.unidadeFederativa && !shown.regiao && !shown.municipio &&
                                          !shown.microRegiao && !shown.regiaoMetropolitana
                                      ? QStringLiteral("TOT.")
                                      : QString());

        const QString micro = text(row, dMicro);
        if (!startsWithZZ(micro))
            cdsDados.setText(fMicro, micro);
        else
            cdsDados.setText(fMicro, shown.microRegiao && isTotal && !shown.regiao ? total : QString());

        const QString rm = text(row, dRM);
        if (!startsWithZZ(rm))
            cdsDados.setText(fRM, rm);
        else
            cdsDados.setText(fRM, shown.regiaoMetropolitana && isTotal && !shown.regiao ? total : QString());

        const QString municipio = text(row, dMunicipio);
        if (!municipio.startsWith(QLatin1String("ZZZ"))) {
            if (municipio.left(8).toUpper() == QLatin1String("ZZDEMAIS"))
                cdsDados.setText(fMunicipio, municipio.mid(2).left(40));
            else
                cdsDados.setText(fMunicipio, municipio);
        } else {
            cdsDados.setText(fMunicipio, shown.municipio && isTotal && !shown.regiao && !shown.microRegiao &&
                                                 !shown.regiaoMetropolitana
                                             ? total
                                             : QString());
        }

        if (!list) {
            cdsDados.setInteger(fTipo, tipo);
            for (const auto &[col, f] : values)
                cdsDados.setFloat(f, number(qValorNivel.value(row, col)));
        } else {
            cdsDados.setText(fCodMunic, text(row, qMunicipio));
            const QVariant &populacao = qValorNivel.value(row, qPopulacao);
            cdsDados.setFloat(fPopulacao, populacao.isNull() ? 0.0 : static_cast<double>(populacao.toLongLong()));
            cdsDados.setInteger(fTipo, 1);
        }
        if (progress.step)
            progress.step(row + 1);
    }
    cdsDados.first();
}

} // namespace ResultAssembly
