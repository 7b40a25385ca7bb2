#include "topic_catalogue.h"

#include "base/data/app_error.h"

namespace {

FigureSource base(Measure measure, double rate = 1.0, double spread = 0.0) {
    FigureSource s;
    s.kind = FigureSource::Base;
    s.measure = measure;
    s.rate = rate;
    s.spread = spread;
    return s;
}

FigureSource share(const QString &parent, double rate, double spread = 0.5) {
    FigureSource s;
    s.kind = FigureSource::Share;
    s.parent = parent;
    s.rate = rate;
    s.spread = spread;
    return s;
}

FigureSource rest(const QString &parent) {
    FigureSource s;
    s.kind = FigureSource::Rest;
    s.parent = parent;
    return s;
}

FigureSource sum(const QStringList &parts) {
    FigureSource s;
    s.kind = FigureSource::Sum;
    s.parts = parts;
    return s;
}

FigureSource percent(const QString &numerator, const QString &denominator) {
    FigureSource s;
    s.kind = FigureSource::Percent;
    s.numerator = numerator;
    s.denominator = denominator;
    return s;
}

// Builds one table's catalogue, naming its columns A01, A02, ... in
// display order.
class TableBuilder {
public:
    TableBuilder(const QString &code, const QString &title) { m_table = {code, title, {}, {}}; }

    QString group(const QString &level, const QString &title) { return add(level, title, FigureSource()); }
    QString add(const QString &level, const QString &title, const FigureSource &source, bool survey = false) {
        const QString name = QStringLiteral("A%1").arg(m_table.rows.size() + 1, 2, 10, QLatin1Char('0'));
        m_table.rows.push_back({name, title, level, survey, source, false});
        return name;
    }
    void notes(const QStringList &lines) { m_table.notes = lines; }

    TopicTable finish() {
        QStringList levels;
        for (const CatalogueRow &row : m_table.rows)
            levels << row.level;
        const std::vector<bool> values = TopicCatalogue::valueRows(levels);
        for (size_t i = 0; i < values.size(); ++i) {
            CatalogueRow &row = m_table.rows[i];
            row.value = values[i];
            if (row.value != (row.source.kind != FigureSource::Heading))
                throw AppError(QStringLiteral("Catálogo da tabela %1: a linha %2 não combina com o seu nível.")
                                   .arg(m_table.code, row.atributo));
        }
        return m_table;
    }

private:
    TopicTable m_table;
};

const QString kSampleNote = QStringLiteral("Dados fictícios de um estudo de exemplo: servem para experimentar o programa.");

} // namespace

QString CatalogueRow::formula() const {
    if (source.kind != FigureSource::Percent)
        return QString();
    return source.numerator + QStringLiteral(" / ") + source.denominator + QStringLiteral(" * 100");
}

std::vector<bool> TopicCatalogue::valueRows(const QStringList &levels) {
    std::vector<bool> values;
    for (int i = 0; i < levels.size(); ++i) {
        const QString &level = levels[i];
        const QString &next = i + 1 < levels.size() ? levels[i + 1] : level;
        if (level == QLatin1String("P"))
            values.push_back(next == QLatin1String("P"));
        else if (level == QLatin1String("PF"))
            values.push_back(next != QLatin1String("F") && next != QLatin1String("PFF"));
        else if (level == QLatin1String("PFF"))
            values.push_back(next != QLatin1String("F"));
        else
            values.push_back(true);
    }
    return values;
}

TopicCatalogue TopicCatalogue::sample() {
    TopicCatalogue c;
    const auto heading = [&](const char *code, const char *title) {
        c.m_headings.push_back({QString::fromUtf8(code), QString::fromUtf8(title)});
    };
    const QString P = QStringLiteral("P"), PF = QStringLiteral("PF"), PFF = QStringLiteral("PFF"),
                  F = QStringLiteral("F");

    heading("01", "Déficit habitacional");
    heading("01.01", "Déficit habitacional básico");
    {
        TableBuilder t("01.01.01", "Déficit habitacional básico, por componente");
        const QString dom = t.add(P, "Domicílios particulares permanentes", base(Measure::Households));
        t.group(P, "Déficit habitacional básico");
        const QString coab = t.add(F, "Coabitação familiar", share(dom, 0.055, 0.5));
        const QString impr = t.add(F, "Domicílios improvisados", share(dom, 0.006, 0.9), true);
        const QString rust = t.add(F, "Domicílios rústicos", share(dom, 0.03, 0.9));
        const QString total = t.add(F, "Total", sum({coab, impr, rust}));
        t.add(P, "Déficit em relação aos domicílios (%)", percent(total, dom));
        t.notes({kSampleNote, "O déficit básico soma a coabitação familiar, os domicílios improvisados e os rústicos."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("01.01.02",
                       "Déficit habitacional básico segundo as faixas de renda familiar mensal, em salários mínimos");
        t.group(P, "Déficit habitacional básico");
        const QString total = t.add(PF, "Total", base(Measure::Households, 0.085, 0.35));
        t.group(PF, "Número de domicílios");
        const QString r1 = t.add(F, "Até 3", share(total, 0.8, 0.1));
        const QString r2 = t.add(F, "Mais de 3 a 5", share(total, 0.5, 0.3));
        const QString r3 = t.add(F, "Mais de 5 a 10", share(total, 0.6, 0.3));
        const QString r4 = t.add(F, "Mais de 10", rest(total), true);
        t.group(PF, "Distribuição percentual");
        t.add(F, "Até 3 (%)", percent(r1, total));
        t.add(F, "Mais de 3 a 5 (%)", percent(r2, total));
        t.add(F, "Mais de 5 a 10 (%)", percent(r3, total));
        t.add(F, "Mais de 10 (%)", percent(r4, total), true);
        t.notes({kSampleNote, "Renda familiar mensal em salários mínimos de 2000.",
                 "Faixas de renda sem declaração foram distribuídas entre as demais."});
        c.m_tables.push_back(t.finish());
    }
    heading("01.02", "Déficit habitacional por situação do domicílio");
    {
        TableBuilder t("01.02.01", "Déficit habitacional por situação do domicílio");
        t.group(P, "Domicílios particulares permanentes");
        const QString urb = t.add(F, "Urbanos", base(Measure::UrbanHouseholds));
        const QString rur = t.add(F, "Rurais", base(Measure::RuralHouseholds));
        t.group(P, "Déficit habitacional");
        const auto situation = [&](const char *title, const QString &households, double rustic, const char *pctTitle) {
            t.group(PF, title);
            t.group(PFF, "Número de domicílios");
            const QString coab = t.add(F, "Coabitação familiar", share(households, 0.05, 0.5));
            const QString impr = t.add(F, "Improvisados", share(households, 0.005, 0.9), true);
            const QString rust = t.add(F, "Rústicos", share(households, rustic, 0.8));
            const QString total = t.add(F, "Total", sum({coab, impr, rust}));
            t.add(PFF, pctTitle, percent(total, households));
        };
        situation("Urbano", urb, 0.015, "Percentual sobre os domicílios urbanos");
        situation("Rural", rur, 0.12, "Percentual sobre os domicílios rurais");
        t.notes({kSampleNote, "Situação do domicílio segundo o perímetro urbano legal de cada município.",
                 "Percentuais calculados sobre os domicílios particulares permanentes da mesma situação."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("01.02.02", "Déficit habitacional urbano e rural, em percentual do total de domicílios");
        const QString urb = t.add(P, "Domicílios urbanos", base(Measure::UrbanHouseholds));
        const QString rur = t.add(P, "Domicílios rurais", base(Measure::RuralHouseholds));
        const QString du = t.add(P, "Déficit urbano", share(urb, 0.07, 0.4));
        const QString dr = t.add(P, "Déficit rural", share(rur, 0.2, 0.5));
        t.add(P, "Déficit urbano (%)", percent(du, urb));
        t.add(P, "Déficit rural (%)", percent(dr, rur));
        t.notes({kSampleNote});
        c.m_tables.push_back(t.finish());
    }
    heading("01.03", "Coabitação familiar");
    {
        TableBuilder t("01.03.01", "Famílias conviventes");
        t.group(P, "Famílias");
        const QString fam = t.add(F, "Total de famílias", base(Measure::Households, 1.12, 0.05));
        const QString conv = t.add(F, "Famílias conviventes", share(fam, 0.08, 0.5));
        t.add(F, "Famílias conviventes (%)", percent(conv, fam), true);
        t.notes({kSampleNote, "Famílias conviventes: famílias secundárias que dividem o domicílio com outra."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("01.03.02", "Cômodos cedidos ou alugados");
        const QString dom = t.add(P, "Domicílios particulares permanentes", base(Measure::Households));
        t.group(P, "Cômodos");
        const QString ced = t.add(F, "Cedidos", share(dom, 0.004, 1.0), true);
        const QString alu = t.add(F, "Alugados", share(dom, 0.006, 1.0), true);
        const QString total = t.add(F, "Total", sum({ced, alu}));
        t.add(P, "Cômodos em relação aos domicílios (%)", percent(total, dom));
        t.notes({kSampleNote, "Figuras de amostra: valores até 49 não são mostrados por município.",
                 "Cômodo: domicílio formado por um ou mais aposentos de uma casa de cômodos.", "Cortiços incluídos."});
        c.m_tables.push_back(t.finish());
    }
    heading("01.04", "Domicílios improvisados");
    {
        TableBuilder t("01.04.01", "Domicílios improvisados, por situação");
        t.group(P, "Domicílios particulares permanentes");
        const QString urb = t.add(F, "Urbanos", base(Measure::UrbanHouseholds));
        const QString rur = t.add(F, "Rurais", base(Measure::RuralHouseholds));
        t.group(P, "Domicílios improvisados");
        const QString iu = t.add(F, "Urbanos", share(urb, 0.004, 1.0), true);
        const QString ir = t.add(F, "Rurais", share(rur, 0.008, 1.0), true);
        t.add(F, "Total", sum({iu, ir}));
        t.notes({kSampleNote, "Domicílio improvisado: local sem fim residencial que servia de moradia."});
        c.m_tables.push_back(t.finish());
    }
    heading("01.05", "Domicílios rústicos");
    {
        TableBuilder t("01.05.01", "Domicílios rústicos, por material das paredes");
        t.group(P, "Domicílios rústicos");
        const QString total = t.add(F, "Total", base(Measure::Households, 0.03, 0.9));
        t.add(F, "Taipa não revestida", share(total, 0.6, 0.2));
        t.add(F, "Madeira aproveitada", share(total, 0.5, 0.4), true);
        t.add(F, "Palha", share(total, 0.5, 0.4), true);
        t.add(F, "Outro material", rest(total), true);
        t.notes({kSampleNote, "Rústicos: domicílios sem paredes de alvenaria ou madeira aparelhada."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("01.05.02",
                       "Domicílios rústicos em relação ao total de domicílios, por situação do domicílio");
        const QString urb = t.add(P, "Domicílios urbanos", base(Measure::UrbanHouseholds));
        const QString rur = t.add(P, "Domicílios rurais", base(Measure::RuralHouseholds));
        const QString ru = t.add(P, "Rústicos urbanos", share(urb, 0.015, 0.9));
        const QString rr = t.add(P, "Rústicos rurais", share(rur, 0.12, 0.8));
        t.add(P, "Rústicos urbanos (%)", percent(ru, urb), true);
        t.add(P, "Rústicos rurais (%)", percent(rr, rur), true);
        c.m_tables.push_back(t.finish());
    }
    heading("01.06", "Ônus excessivo com aluguel");
    {
        TableBuilder t("01.06.01", "Ônus excessivo com aluguel");
        t.group(P, "Domicílios urbanos alugados");
        const QString total = t.add(F, "Total", base(Measure::UrbanHouseholds, 0.15, 0.3));
        const QString onus = t.add(F, "Com ônus excessivo", share(total, 0.25, 0.4));
        t.add(F, "Com ônus excessivo (%)", percent(onus, total));
        t.notes({kSampleNote, "Ônus excessivo: famílias com renda até 3 salários mínimos que gastam 30 % ou mais dela "
                              "com aluguel."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("01.06.02",
                       "Ônus excessivo com aluguel, por faixa de renda familiar mensal, em salários mínimos");
        t.group(P, "Famílias com ônus excessivo com aluguel");
        t.group(PF, "Número de famílias");
        const QString r1 = t.add(F, "Até 3", base(Measure::UrbanHouseholds, 0.025, 0.4));
        const QString r2 = t.add(F, "Mais de 3 a 5", base(Measure::UrbanHouseholds, 0.007, 0.5));
        const QString r3 = t.add(F, "Mais de 5", base(Measure::UrbanHouseholds, 0.003, 0.7), true);
        const QString total = t.add(F, "Total", sum({r1, r2, r3}));
        t.group(PF, "Distribuição percentual");
        t.add(F, "Até 3 (%)", percent(r1, total));
        t.add(F, "Mais de 3 a 5 (%)", percent(r2, total));
        t.add(F, "Mais de 5 (%)", percent(r3, total), true);
        t.notes({kSampleNote, "Renda familiar mensal em salários mínimos de 2000."});
        c.m_tables.push_back(t.finish());
    }

    heading("02", "Inadequação dos domicílios urbanos");
    heading("02.01", "Carência de serviços de infraestrutura");
    {
        TableBuilder t("02.01.01", "Domicílios urbanos com carência de infraestrutura, por tipo de serviço");
        const QString urb = t.add(P, "Domicílios urbanos", base(Measure::UrbanHouseholds));
        t.group(P, "Carência de infraestrutura");
        const struct {
            const char *title;
            double missing;
            double poor;
            bool survey;
        } services[] = {{"Energia elétrica", 0.01, 0.02, true},
                        {"Abastecimento de água", 0.05, 0.04, false},
                        {"Esgotamento sanitário", 0.25, 0.1, false},
                        {"Coleta de lixo", 0.08, 0.03, false},
                        {"Drenagem urbana", 0.12, 0.06, true}};
        for (const auto &service : services) {
            t.group(PF, service.title);
            t.group(PFF, "Número de domicílios");
            const QString missing = t.add(F, "Sem o serviço", share(urb, service.missing, 0.7), service.survey);
            const QString poor = t.add(F, "Com serviço precário", share(urb, service.poor, 0.7), service.survey);
            const QString total = t.add(F, "Total", sum({missing, poor}));
            t.group(PFF, "Percentual");
            t.add(F, "Sem o serviço (%)", percent(missing, urb), service.survey);
            t.add(F, "Com serviço precário (%)", percent(poor, urb), service.survey);
            t.add(F, "Total (%)", percent(total, urb));
        }
        const QString any = t.add(P, "Domicílios com ao menos uma carência", share(urb, 0.2, 0.4));
        t.add(P, "Domicílios com ao menos uma carência (%)", percent(any, urb));
        t.notes({kSampleNote, "Um domicílio pode ter mais de uma carência; os totais por serviço não se somam.",
                 "Serviço precário: atendimento irregular ou por meios inadequados.",
                 "Drenagem urbana: figuras de amostra.", "Percentuais sobre os domicílios urbanos."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("02.01.02", "Carência de infraestrutura por número de serviços inadequados");
        const QString urb = t.add(P, "Domicílios urbanos", base(Measure::UrbanHouseholds));
        const QString one = t.add(P, "Com carência de um serviço", share(urb, 0.15, 0.4));
        const QString two = t.add(P, "Com carência de dois serviços", share(urb, 0.06, 0.5));
        const QString three = t.add(P, "Com carência de três ou mais serviços", share(urb, 0.02, 0.8), true);
        const QString total = t.add(P, "Total com carência", sum({one, two, three}));
        t.add(P, "Total com carência (%)", percent(total, urb));
        t.notes({kSampleNote});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("02.01.03", "Domicílios urbanos sem banheiro de uso exclusivo");
        const QString urb = t.add(P, "Domicílios urbanos", base(Measure::UrbanHouseholds));
        t.group(P, "Sem banheiro de uso exclusivo");
        const QString without = t.add(F, "Número", share(urb, 0.05, 0.9), true);
        t.add(F, "Percentual", percent(without, urb), true);
        c.m_tables.push_back(t.finish());
    }
    heading("02.02", "Adensamento excessivo e inadequação fundiária");
    {
        TableBuilder t("02.02.01", "Domicílios urbanos com adensamento excessivo");
        const QString own = t.add(P, "Domicílios urbanos próprios", base(Measure::UrbanHouseholds, 0.7, 0.1));
        const QString dense = t.add(P, "Com mais de três moradores por dormitório", share(own, 0.08, 0.5));
        t.add(P, "Adensamento excessivo (%)", percent(dense, own));
        t.notes({kSampleNote, "Adensamento excessivo: mais de três moradores por dormitório."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("02.02.02", "Inadequação fundiária urbana, por condição de ocupação do terreno");
        t.group(P, "Domicílios urbanos");
        const QString own = t.add(PF, "Próprios", base(Measure::UrbanHouseholds, 0.72, 0.1));
        t.group(PF, "Próprios em terreno não próprio");
        const QString land = t.add(F, "Número", share(own, 0.04, 0.9), true);
        t.add(F, "Percentual", percent(land, own), true);
        t.add(PF, "Alugados", base(Measure::UrbanHouseholds, 0.15, 0.3));
        t.add(P, "Total de domicílios urbanos", base(Measure::UrbanHouseholds));
        t.notes({kSampleNote, "Inadequação fundiária: casa própria em terreno que não é do morador."});
        c.m_tables.push_back(t.finish());
    }

    heading("03", "Relação dos municípios pesquisados");
    c.m_tables.push_back({QString::fromLatin1(kMunicipalityList), QStringLiteral("Relação dos municípios pesquisados"),
                          {}, {}});

    heading("04", "Características gerais dos domicílios e da população");
    heading("04.01", "Domicílios particulares permanentes");
    {
        TableBuilder t("04.01.01", "Domicílios particulares permanentes, por situação e condição de ocupação");
        const QString total = t.add(P, "Total", base(Measure::Households));
        t.group(P, "Por situação");
        t.add(F, "Urbanos", base(Measure::UrbanHouseholds));
        t.add(F, "Rurais", base(Measure::RuralHouseholds));
        t.group(P, "Por condição de ocupação");
        t.add(F, "Próprios", share(total, 0.72, 0.1));
        t.add(F, "Alugados", share(total, 0.5, 0.4));
        t.add(F, "Cedidos", share(total, 0.6, 0.4));
        t.add(F, "Outra condição", rest(total), true);
        t.notes({kSampleNote, "Condição de ocupação declarada pelo morador."});
        c.m_tables.push_back(t.finish());
    }
    {
        TableBuilder t("04.01.02", "Domicílios particulares permanentes, por número de cômodos");
        const QString total = t.add(P, "Total", base(Measure::Households));
        t.group(P, "Número de cômodos");
        t.add(F, "Um", share(total, 0.03, 0.6), true);
        t.add(F, "Dois", share(total, 0.08, 0.4));
        t.add(F, "Três", share(total, 0.2, 0.3));
        t.add(F, "Quatro", share(total, 0.3, 0.2));
        t.add(F, "Cinco ou mais", rest(total));
        t.notes({kSampleNote, "Cômodos: todos os aposentos do domicílio, inclusive banheiro e cozinha.",
                 "Domicílios sem declaração do número de cômodos contados em \"Cinco ou mais\"."});
        c.m_tables.push_back(t.finish());
    }
    heading("04.02", "População");
    {
        TableBuilder t("04.02.01", "População residente, por situação do domicílio");
        t.group(P, "População residente");
        const QString urban = t.add(F, "Urbana", base(Measure::UrbanPopulation));
        const QString rural = t.add(F, "Rural", base(Measure::RuralPopulation));
        const QString total = t.add(F, "Total", sum({urban, rural}));
        t.add(P, "Taxa de urbanização (%)", percent(urban, total));
        t.notes({kSampleNote, "População urbana: moradores dos domicílios situados no perímetro urbano."});
        c.m_tables.push_back(t.finish());
    }
    return c;
}
