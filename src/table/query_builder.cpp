#include "table/query_builder.h"

#include "data/app_error.h"
#include "data/text_utils.h"
#include "table/attribute_line.h"

namespace QueryBuilder {
namespace {

// Condition lines: the first begins with " where ", every later one with
// "   and " (the s = 5 "DEMAIS" line carries its own, four-blank form).
class Conditions {
  public:
    explicit Conditions(QStringList &lines) : m_lines(lines) {}

    void add(const QString &condition, const QString &andForm = QStringLiteral("   and ")) {
        m_lines << (m_started ? andForm : QStringLiteral(" where ")) + condition;
        m_started = true;
    }

  private:
    QStringList &m_lines;
    bool m_started = false;
};

QString pickedCodes(const QStringList &picked) {
    QStringList codes;
    for (const QString &entry : picked) {
        const qsizetype slash = entry.indexOf(QLatin1Char('/'));
        const QString code = TextUtils::cut(slash < 0 ? QString() : entry.mid(slash + 1), 10);
        bool numeric = false;
        code.toLongLong(&numeric);
        // The code goes into the statement as it stands: only digits may.
        if (!numeric || code.startsWith(QLatin1Char('-')) || code.startsWith(QLatin1Char('+')))
            throw AppError(QStringLiteral("Município sem código numérico na seleção: %1").arg(entry));
        codes << code;
    }
    return codes.join(QLatin1Char(','));
}

QString demaisCondition(int level) {
    const QString uf =
        level == 4 ? QStringLiteral("(Unidade_Federativa > 0)") : QStringLiteral("(Unidade_Federativa = 0)");
    const QString regiao = level == 6 ? QStringLiteral("(Regiao = 0)") : QStringLiteral("(Regiao > 0)");
    return QStringLiteral("((Municipio <> 999999) or ((Municipio = 999999) and (Micro_Regiao = 0) and %1 and %2))")
        .arg(uf, regiao);
}

} // namespace

bool isTableTopic(const QString &topic) { return topic.size() == 8 || topic == kMunicipalityList; }

QString tableName(const QString &topic) {
    return TextUtils::cut(TextUtils::SubstituiTexto(QStringLiteral("."), topic, QString()));
}

ShownTerritory shownTerritory(const QString &topic, const SelectionState &state) {
    const bool list = topic == kMunicipalityList;
    ShownTerritory shown;
    shown.regiao = list || (state.regiao == 0 && state.unidadeFederativa == 0);
    shown.unidadeFederativa = list || (state.agrupar >= 1 && state.unidadeFederativa == 0);
    shown.microRegiao = list || state.agrupar == 2;
    shown.regiaoMetropolitana = list || state.agrupar == 3;
    shown.municipio = list || state.agrupar == 4;
    return shown;
}

IndicatorStatement compose(const QString &topic, const SelectionState &state, const QStringList &FAtributos) {
    const bool list = topic == kMunicipalityList;
    IndicatorStatement result;
    QStringList &lines = result.lines;

    lines << QStringLiteral("select DRegiao,") << QStringLiteral("       DUnidade_Federativa,")
          << QStringLiteral("       DMicro_Regiao,") << QStringLiteral("       DRegiao_Metropolitana,")
          << QStringLiteral("       DMunicipio,");
    if (!list) {
        lines << QStringLiteral("       Tipo_Registro,");
        for (const QString &text : FAtributos) {
            const AttributeLine line = AttributeLine::parse(text);
            if (line.isValue())
                lines << line.name + QLatin1Char(',');
        }
    } else {
        lines << QStringLiteral("       Municipio,") << QStringLiteral("       Populacao_Cidade,");
    }
    lines.last().chop(1);
    lines << QStringLiteral("  from ") + tableName(topic).left(6);

    Conditions where(lines);
    if (state.regiao != 0)
        where.add(QStringLiteral("Regiao = %1").arg(state.regiao));
    if (state.unidadeFederativa != 0)
        where.add(QStringLiteral("Unidade_Federativa = %1").arg(state.unidadeFederativa));
    if (state.microRegiao != 0)
        where.add(QStringLiteral("Micro_Regiao = %1").arg(state.microRegiao));
    if (state.regiaoMetropolitana != 0)
        where.add(QStringLiteral("Regiao_Metropolitana = %1").arg(state.regiaoMetropolitana));
    if (state.municipio != 0) {
        where.add(QStringLiteral("Municipio = %1").arg(state.municipio));
    } else {
        if (state.faixaInicial > 0)
            where.add(QStringLiteral("((Populacao_Cidade >= %1) or (Municipio = 999999))").arg(state.faixaInicial));
        if (state.faixaFinal > 0)
            where.add(QStringLiteral("((Populacao_Cidade <= %1) or (Municipio = 999999))").arg(state.faixaFinal));
    }

    if (!list) {
        const int g = 5 - state.agrupar;
        int s;
        int t;
        if (g != 1) {
            if (g == 2)
                s = 43;
            else if (g == 4 && state.regiao == 0)
                s = 6;
            else
                s = g + 1;
            t = s;
        } else {
            if (state.municipio != 0)
                s = 1;
            else if (state.regiaoMetropolitana != 0)
                s = 2;
            else if (state.microRegiao != 0)
                s = 3;
            else if (state.unidadeFederativa != 0)
                s = 4;
            else if (state.regiao != 0)
                s = 5;
            else
                s = 6;
            if (s >= 4)
                where.add(demaisCondition(s), s == 5 ? QStringLiteral("    and ") : QStringLiteral("   and "));
            t = s == 1 ? 6 : s;
        }
        where.add(QStringLiteral("((Tipo_Registro = %1) or (Tipo_Registro = %2))").arg(g).arg(s));
        result.totalKind = t;

        if (state.regiaoMetropolitana == 0 && state.agrupar == 4)
            where.add(QStringLiteral("((Populacao_Cidade >= 20000) or ((Populacao_Cidade < 20000) and "
                                     "(Tipo_Registro <> 1)) or (Municipio = 999999))"));
        if (!state.municipiosSelecionados.isEmpty())
            where.add(QStringLiteral("Municipio in (%1)").arg(pickedCodes(state.municipiosSelecionados)));
    }

    if (list) {
        lines << QStringLiteral(" Order By DRegiao, DUnidade_Federativa, DMicro_Regiao, DMunicipio, "
                                "DRegiao_Metropolitana");
    } else {
        const ShownTerritory shown = shownTerritory(topic, state);
        QString order = QStringLiteral(" Order By ");
        if (result.totalKind == 43) {
            if (shown.regiaoMetropolitana)
                order += QStringLiteral(" DRegiao_Metropolitana, ");
            if (shown.regiao)
                order += QStringLiteral(" DRegiao, ");
            if (shown.unidadeFederativa)
                order += QStringLiteral(" DUnidade_Federativa, ");
        } else {
            if (shown.regiao)
                order += QStringLiteral(" DRegiao, ");
            if (shown.unidadeFederativa)
                order += QStringLiteral(" DUnidade_Federativa, ");
            if (shown.microRegiao)
                order += QStringLiteral(" DMicro_Regiao, ");
            if (shown.regiaoMetropolitana)
                order += QStringLiteral(" DRegiao_Metropolitana, ");
        }
        if (shown.municipio)
            order += QStringLiteral(" DMunicipio, ");
        order += QStringLiteral(" Tipo_Registro");
        lines << order;
    }
    return result;
}

} // namespace QueryBuilder
