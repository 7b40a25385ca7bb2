#include "base/table/current_result.h"
#include "core/chart/engine/chart_file.h"
#include "core/export/value_column.h"
#include "core/map/legend_file.h"
#include "extras/url_recorder.h"
#include "support/byte_difference.h"
#include "support/qstring_printer.h"
#include "support/study_copy.h"
#include "support/window_user.h"
#include "support/workbook_file.h"
#include "ui/chart/chart_view.h"
#include "ui/export/exportar_frm.h"
#include "ui/map/legend_grid.h"
#include "ui/map/map_page.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// The window and solvane-export write the same file for the same choices:
// the window driven as its user drives it, the exporter run as a process of
// its own on the same study, and the two files compared whole.
namespace {

// A topic and the choices of the filter panel, as the window's lists show
// them and as the exporter's options name them.
struct Choice {
    const char *title;                                        // of the topic in the tree
    const char *grouping;                                     // entry of "Agrupar por"
    std::vector<std::pair<const char *, const char *>> lists; // list and entry, picked in this order
    QStringList options;                                      // the same for solvane-export, topic and all
};

const Choice kStatesOfTheNortheast = {"Déficit habitacional básico, por componente",
                                      "Unidade Federação",
                                      {{"lckRegiao", "Nordeste"}},
                                      {"--topico", "01.01.01", "--agrupar", "uf", "--regiao", "2"}};

const Choice kTownsOfPernambuco = {"Déficit habitacional básico, por componente",
                                   "Município",
                                   {{"lckUF", "Pernambuco"}},
                                   {"--topico", "01.01.01", "--agrupar", "municipio", "--uf", "26"}};

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WindowShellParityTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_study.made()); }
    void TearDown() override { closeWindow(); }

    void closeWindow() {
        m_user.reset();
        m_window.reset();
    }

    // Opens a new main window on the study, chooses the topic, then the
    // grouping and the lists, and searches.
    void runInWindow(const Choice &choice) {
        closeWindow();
        m_window = std::make_unique<TMain_Frm>();
        m_user = std::make_unique<WindowUser>(*m_window);
        m_user->chooseTopic(QString::fromUtf8(choice.title));
        m_user->pick("cbAgrupar", QString::fromUtf8(choice.grouping));
        for (const auto &[list, entry] : choice.lists)
            m_user->pick(list, QString::fromUtf8(entry));
        m_user->search();
        ASSERT_FALSE(m_window->currentResult().cdsDados().isEmpty());
    }

    // Exports the page in view through the header into the target folder:
    // the workbook, or the text file with the separator item given.
    QString exportFromWindow(bool text = false, int separatorItem = 0) {
        const WindowUser::Export sent = m_user->exportThroughHeader([&](TExportar_Frm &dialog) {
            WindowUser::chooseFolder(dialog, m_target.path());
            if (text)
                WindowUser::chooseTextFile(dialog, separatorItem);
        });
        EXPECT_EQ(sent.messages, QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
        const QStringList written = QDir(m_target.path()).entryList(QDir::Files);
        EXPECT_EQ(written.size(), 1) << written.join(u' ').toStdString();
        return m_target.filePath(written.value(0));
    }

    // Runs solvane-export; the file it wrote, named as given, in a folder of its own.
    QString exportFromShell(const QStringList &options, const QString &name, const char *option) {
        const QString path = m_shellTarget.filePath(name);
        const StudyCopy::Run run = m_study.exportWith(options + QStringList{QLatin1String(option), path});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString());
        return path;
    }

    void expectSameWorkbooks(const QString &window, const QString &shell) {
        const WorkbookFile fromWindow(window), fromShell(shell);
        ASSERT_EQ(fromWindow.error(), QString());
        ASSERT_EQ(fromShell.error(), QString());
        EXPECT_EQ(fromWindow.differenceFrom(fromShell), QString());
    }

    ChartView *chartView() const { return m_user->find<ChartView>("dbchtGrafico"); }

    StudyCopy m_study;
    QTemporaryDir m_target, m_shellTarget;
    UrlRecorder m_desktop;
    std::unique_ptr<TMain_Frm> m_window;
    std::unique_ptr<WindowUser> m_user;
};

} // namespace

TEST_F(WindowShellParityTest, DelimitedTextIsTheSameByteForByte) {
    const struct {
        Choice choice;
        int separatorItem;
        const char *separator;
    } cases[] = {
        {kStatesOfTheNortheast, 0, ";"},
        {{"Domicílios urbanos com carência de infraestrutura, por tipo de serviço",
          "Microrregião",
          {{"lckUF", "Pernambuco"}},
          {"--topico", "02.01.01", "--agrupar", "microrregiao", "--uf", "26"}},
         2,
         "tab"},
        {{"Famílias conviventes",
          "R. Metropolitana",
          {{"lckRegiao", "Nordeste"}},
          {"--topico", "01.03.01", "--agrupar", "rm", "--regiao", "2"}},
         1,
         ","},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice.options.join(u' ').toStdString());
        ASSERT_NO_FATAL_FAILURE(runInWindow(c.choice));
        const QString window = exportFromWindow(true, c.separatorItem);
        EXPECT_TRUE(window.endsWith(QStringLiteral("/DADOS_Solvane_2000.Txt"))) << window.toStdString();
        const StudyCopy::Run shell = m_study.exportWith(
            c.choice.options + QStringList{QStringLiteral("--separador"), QLatin1String(c.separator)});
        ASSERT_EQ(shell.status, 0) << shell.err.toStdString();
        EXPECT_GT(shell.out.count("\r\n"), 3);
        EXPECT_EQ(firstDifference(contents(window), shell.out), QString());
        QFile::remove(window);
    }
}

// A band of urban population typed into the panel narrows the window's
// file as --pop-min narrows the exporter's.
TEST_F(WindowShellParityTest, DelimitedTextOfABandOfPopulation) {
    ASSERT_NO_FATAL_FAILURE(runInWindow(kTownsOfPernambuco));
    m_user->type("edtFaixaInicial", QStringLiteral("50000"));
    m_user->search();
    const QString window = exportFromWindow(true);
    const StudyCopy::Run shell = m_study.exportWith(kTownsOfPernambuco.options + QStringList{"--pop-min", "50000"});
    ASSERT_EQ(shell.status, 0) << shell.err.toStdString();
    EXPECT_EQ(firstDifference(contents(window), shell.out), QString());
}

TEST_F(WindowShellParityTest, WorkbookOfTheDataPageIsTheSameFile) {
    const Choice cases[] = {
        // Nested titles: merged groups over their members.
        {"Domicílios urbanos com carência de infraestrutura, por tipo de serviço",
         "Unidade Federação",
         {{"lckRegiao", "Nordeste"}},
         {"--topico", "02.01.01", "--agrupar", "uf", "--regiao", "2"}},
        kTownsOfPernambuco,
    };
    for (const Choice &choice : cases) {
        SCOPED_TRACE(choice.options.join(u' ').toStdString());
        ASSERT_NO_FATAL_FAILURE(runInWindow(choice));
        const QString window = exportFromWindow();
        EXPECT_TRUE(window.endsWith(QStringLiteral("/DADOS_Solvane_2000.Xlsx"))) << window.toStdString();
        const QString shell = exportFromShell(choice.options, QStringLiteral("dados.xlsx"), "--planilha");
        expectSameWorkbooks(window, shell);
        EXPECT_EQ(WorkbookFile(shell).cell(QStringLiteral("B5")), QString::fromUtf8(choice.title));
        QFile::remove(window);
    }
}

TEST_F(WindowShellParityTest, WorkbookOfTheMapPageIsTheSameFile) {
    const struct {
        Choice choice;
        const char *column; // full name
    } cases[] = {{kTownsOfPernambuco, "A07"}, {kStatesOfTheNortheast, "A01"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice.options.join(u' ').toStdString());
        ASSERT_NO_FATAL_FAILURE(runInWindow(c.choice));
        m_user->markColumn(QLatin1String(c.column));
        ASSERT_EQ(m_user->click("lblMapa"), QStringList());
        ASSERT_FALSE(m_user->find<MapPage>("pgMapa")->picture().isNull());
        const QString window = exportFromWindow();
        const QString shell = exportFromShell(c.choice.options + QStringList{"--coluna", QLatin1String(c.column)},
                                              QStringLiteral("mapa.xlsx"), "--mapa");
        expectSameWorkbooks(window, shell);
        EXPECT_EQ(WorkbookFile(shell).entries().count(QStringLiteral("xl/media/image1.png")), 1u);
        QFile::remove(window);
    }
}

// The chart view has its size on the screen; the exporter is given it.
TEST_F(WindowShellParityTest, WorkbookOfTheChartPageIsTheSameFile) {
    ASSERT_NO_FATAL_FAILURE(runInWindow(kStatesOfTheNortheast));
    m_user->markColumn(QStringLiteral("A01"));
    ASSERT_EQ(m_user->click("lblGrafico"), QStringList());
    const QSize size = chartView()->size();
    const QString window = exportFromWindow();
    const QString shell = exportFromShell(kStatesOfTheNortheast.options +
                                              QStringList{"--coluna", "A01", "--largura", QString::number(size.width()),
                                                          "--altura", QString::number(size.height())},
                                          QStringLiteral("grafico.xlsx"), "--grafico");
    expectSameWorkbooks(window, shell);
    EXPECT_EQ(WorkbookFile(shell).entries().count(QStringLiteral("xl/media/image1.png")), 1u);
}

// The chart as the side panel shows it, written as vectors: the window's
// chart view at its size against --grafico x.svg with the options that name
// the panel's choices.
TEST_F(WindowShellParityTest, ChartAsTheSidePanelShowsItIsTheSameSvg) {
    const struct {
        const char *column;
        const char *picture; // the type picture clicked; none: the page's own choice
        int identifier;      // item of the identifier group shown
        bool legend;
        QStringList options;
    } cases[] = {
        {"A01", nullptr, 0, true, {}},
        {"A01",
         "imgGBarHori",
         2,
         false,
         {"--tipo", "barras-horizontais", "--identificador", "descricao", "--sem-legenda"}},
        {"A01", "imgGRoda", 1, true, {"--tipo", "rosca", "--identificador", "percentual"}},
        {"A01", "imgGLinVert", 3, true, {"--tipo", "linhas", "--identificador", "nenhum"}},
        // A percentage column has its own identifier group: "Descrição" is its second item.
        {"A07", nullptr, 1, true, {"--identificador", "descricao"}},
        {"A07", "imgGBarVert", 0, false, {"--tipo", "barras-verticais", "--sem-legenda"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString() + " " + c.column);
        ASSERT_NO_FATAL_FAILURE(runInWindow(kStatesOfTheNortheast));
        m_user->markColumn(QLatin1String(c.column));
        ASSERT_EQ(m_user->click("lblGrafico"), QStringList());
        auto *identifiers = m_user->find<RadioGroup>("rgIdentificador");
        if (!identifiers->isVisible())
            identifiers = m_user->find<RadioGroup>("rgIdentificador2");
        WindowUser::choose(identifiers->button(c.identifier));
        if (!c.legend)
            QTest::mouseClick(m_user->find<QCheckBox>("cbLegenda"), Qt::LeftButton);
        // The legend switch is taken in when a type picture is clicked.
        if (c.picture)
            QTest::mouseClick(m_user->find(c.picture), Qt::LeftButton);

        const QSize size = chartView()->size();
        const QByteArray window = ChartFile::compose(chartView()->renderer(), size, ChartFile::Format::Svg);
        const QString shell =
            exportFromShell(kStatesOfTheNortheast.options + c.options +
                                QStringList{"--coluna", QLatin1String(c.column), "--largura",
                                            QString::number(size.width()), "--altura", QString::number(size.height())},
                            QStringLiteral("grafico.svg"), "--grafico");
        const QString title = chartView()->renderer().settings().titleLines.value(0);
        EXPECT_TRUE(QString::fromUtf8(window).contains(title)) << title.toStdString();
        EXPECT_EQ(firstDifference(window, contents(shell)), QString());
    }
}

// The map page with a legend the user typed and saved: the exporter reads
// the saved legend and draws the very picture the page keeps.
TEST_F(WindowShellParityTest, MapWithASavedLegendIsTheSamePicture) {
    ASSERT_NO_FATAL_FAILURE(runInWindow(kTownsOfPernambuco));
    m_user->markColumn(QStringLiteral("A01"));
    ASSERT_EQ(m_user->click("lblMapa"), QStringList());
    const MapPage &page = *m_user->find<MapPage>("pgMapa");
    const QImage computed = page.picture();
    auto *classes = m_user->find<LegendGrid>("stgLegendaMapa");
    WindowUser::typeInCell(classes, 4, 3, QString::number(classes->item(4, 1)->text().toLongLong() + 1000));
    WindowUser::typeInCell(classes, 5, 3, QString());
    QTest::mouseClick(m_user->find("btnSalvar"), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(LegendFile::path(QStringLiteral("A01"), 4)));
    ASSERT_NE(page.picture(), computed) << "the saved legend changes the picture";

    const QString shell = exportFromShell(kTownsOfPernambuco.options + QStringList{"--coluna", "A01"},
                                          QStringLiteral("mapa.png"), "--mapa");
    const QImage written(shell);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), page.picture().convertToFormat(QImage::Format_RGB32));
}

// A single territory with no territory column shown (one region grouped by
// region, one state grouped by state): the chart page labels its point by
// the region, the territory of the topic's opening run, and the exporter
// draws the same chart.
TEST_F(WindowShellParityTest, ChartOfASingleTerritoryWithNoTerritoryColumnIsTheSameSvg) {
    const struct {
        Choice choice;
        const char *label;
    } cases[] = {
        {{"Déficit habitacional básico, por componente",
          "Região",
          {{"lckRegiao", "Norte"}},
          {"--topico", "01.01.01", "--agrupar", "regiao", "--regiao", "1"}},
         "Norte"},
        {{"Déficit habitacional básico, por componente",
          "Unidade Federação",
          {{"lckUF", "São Paulo"}},
          {"--topico", "01.01.01", "--agrupar", "uf", "--uf", "35"}},
         "Sudeste"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice.options.join(u' ').toStdString());
        ASSERT_NO_FATAL_FAILURE(runInWindow(c.choice));
        m_user->markColumn(ValueColumn::find(m_window->currentResult(), QStringLiteral("A03")).fullName());
        ASSERT_EQ(m_user->click("lblGrafico"), QStringList());
        const std::vector<ChartPoint> &points = chartView()->renderer().settings().points;
        ASSERT_EQ(points.size(), 1u);
        EXPECT_EQ(points.front().label, QString::fromUtf8(c.label));

        const QSize size = chartView()->size();
        const QByteArray window = ChartFile::compose(chartView()->renderer(), size, ChartFile::Format::Svg);
        const QString shell = exportFromShell(c.choice.options + QStringList{"--coluna", "A03", "--largura",
                                                                             QString::number(size.width()), "--altura",
                                                                             QString::number(size.height())},
                                              QStringLiteral("grafico.svg"), "--grafico");
        EXPECT_EQ(firstDifference(window, contents(shell)), QString());
    }
}
