#include "ui/chart/chart_page.h"

#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "core/chart/chart_composer.h"
#include "core/drawing/color_number.h"
#include "ui/chart/chart_type_picture.h"
#include "ui/chart/chart_view.h"
#include "ui/widgets/picture_files.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kSidePanelWidth = 95;
constexpr qint64 kSidePanelColor = 22963;

const QStringList kIdentificador = {QStringLiteral("Valor"), QStringLiteral("Percentual"),
                                    QStringLiteral("Descrição"), QStringLiteral("Nenhum")};
const QStringList kIdentificador2 = {QStringLiteral("Valor"), QStringLiteral("Descrição"), QStringLiteral("Nenhum")};

struct TypePicture {
    const char *name;
    const char *file;
    const char *hint;
    int tag;
};
const std::array<TypePicture, 6> kTypePictures = {{
    {"imgGPizza", "grafico_pizza.png", "0", 0},
    {"imgGRoda", "grafico_roda.png", "1", 0},
    {"imgGPonto", "grafico_pontos.png", "4", 1},
    {"imgGLinVert", "grafico_linhas_verticais.png", "5", 2},
    {"imgGBarHori", "grafico_barras_horizontais.png", "6", 3},
    {"imgGBarVert", "grafico_barras_verticais.png", "7", 4},
}};

} // namespace

ChartPage::ChartPage(Database &database, QWidget *parent) : MainPage(parent), m_database(database) {
    setObjectName(QStringLiteral("pgGrafico"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_dbchtGrafico = new ChartView(this);
    layout->addWidget(m_dbchtGrafico, 1);
    layout->addWidget(buildSidePanel());
    setPictureCopy([this] { return hasMarkedColumn() ? m_dbchtGrafico->picture() : QImage(); });
    setViewMenu(m_dbchtGrafico);
}

QWidget *ChartPage::buildSidePanel() {
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlGrafico"));
    panel->setFixedWidth(kSidePanelWidth);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ColorNumber::toColor(kSidePanelColor));
    // White captions; the indicators keep their dark marks on white.
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 6, 1, 4);

    m_cbLegenda = new QCheckBox(QStringLiteral("Legenda"), panel);
    m_cbLegenda->setObjectName(QStringLiteral("cbLegenda"));
    m_cbLegenda->setChecked(true);
    layout->addWidget(m_cbLegenda);

    // The two identifier groups share one spot; only one shows at a time.
    auto *identifiers = new QWidget(panel);
    auto *stack = new QGridLayout(identifiers);
    stack->setContentsMargins(0, 0, 0, 0);
    m_rgIdentificador = new RadioGroup(QStringLiteral("| Identificador |"), kIdentificador, 1, identifiers);
    m_rgIdentificador->setObjectName(QStringLiteral("rgIdentificador"));
    m_rgIdentificador2 = new RadioGroup(QStringLiteral("| Identificador |"), kIdentificador2, 1, identifiers);
    m_rgIdentificador2->setObjectName(QStringLiteral("rgIdentificador2"));
    for (RadioGroup *group : {m_rgIdentificador, m_rgIdentificador2}) {
        group->setItemIndex(0);
        // Narrow side margins, so that "Percentual" fits the 95-pixel panel.
        QMargins margins = group->layout()->contentsMargins();
        margins.setLeft(2);
        margins.setRight(0);
        group->layout()->setContentsMargins(margins);
        stack->addWidget(group, 0, 0, Qt::AlignTop);
        connect(group, &RadioGroup::clicked, this, &ChartPage::rgIdentificadorClick);
    }
    m_rgIdentificador2->hide();
    layout->addWidget(identifiers);

    auto *tipo = new QGroupBox(QStringLiteral("| Tipo |"), panel);
    tipo->setObjectName(QStringLiteral("gbTipo"));
    auto *tipoLayout = new QVBoxLayout(tipo);
    tipoLayout->setContentsMargins(2, 2, 2, 2);
    auto *scroll = new QScrollArea(tipo);
    scroll->setObjectName(QStringLiteral("sbTipo"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto *pictures = new QWidget;
    pictures->setAutoFillBackground(false);
    auto *picturesLayout = new QVBoxLayout(pictures);
    picturesLayout->setContentsMargins(0, 0, 0, 0);
    picturesLayout->setSpacing(6);
    for (size_t i = 0; i < kTypePictures.size(); ++i) {
        const TypePicture &type = kTypePictures[i];
        auto *picture = new ChartTypePicture(QLatin1String(type.name), PictureFiles::load(QLatin1String(type.file)),
                                             type.tag, pictures);
        picture->setToolTip(QLatin1String(type.hint));
        picturesLayout->addWidget(picture, 0, Qt::AlignHCenter);
        connect(picture, &ChartTypePicture::clicked, this, [this, picture] { imgGPizzaClick(picture); });
        m_pictures[i] = picture;
    }
    m_pictures[size_t(ChartPicture::Pizza)]->setOpaque(true);
    scroll->setWidget(pictures);
    tipoLayout->addWidget(scroll);
    layout->addWidget(tipo, 1);
    return panel;
}

bool ChartPage::isPercentageColumn() const {
    return ChartComposer::isPercentageColumn(m_result->cdsDados(), m_result->FCampoPercentual());
}

// A chart needs a marked column that the open table holds.
bool ChartPage::hasMarkedColumn() const {
    return m_result && !m_result->FCampoMarcado().isEmpty() &&
           m_result->cdsDados().findField(m_result->FCampoPercentual()) >= 0;
}

void ChartPage::enter(const CurrentResult &result) {
    m_result = &result;
    if (!hasMarkedColumn())
        return;
    ChartTypePicture *pizza = m_pictures[size_t(ChartPicture::Pizza)];
    ChartTypePicture *roda = m_pictures[size_t(ChartPicture::Roda)];
    if (isPercentageColumn()) {
        for (ChartTypePicture *pie : {pizza, roda}) {
            pie->setOpaque(false);
            pie->hide();
        }
        if (m_FTipoGrafico == 0) {
            m_pictures[size_t(ChartPicture::Ponto)]->setOpaque(true);
            m_FTipoGrafico = 1;
        }
    } else {
        pizza->show();
        roda->show();
    }
    MostraGrafico(m_FTipoGrafico);
}

void ChartPage::imgGPizzaClick(ChartTypePicture *clicked) {
    for (ChartTypePicture *picture : m_pictures)
        picture->setOpaque(picture == clicked);
    m_FTipoGrafico = clicked->tag();
    MostraGrafico(m_FTipoGrafico);
}

void ChartPage::rgIdentificadorClick() { MostraGrafico(m_FTipoGrafico); }

// The opaque picture, the first letter of the shown identifier group's
// chosen item, the legend switch.
ChartChoice ChartPage::choice(bool percentage) const {
    ChartChoice chosen;
    for (size_t i = 0; i < m_pictures.size(); ++i)
        if (m_pictures[i]->isOpaque())
            chosen.picture = ChartPicture(i);
    const RadioGroup *group = percentage ? m_rgIdentificador2 : m_rgIdentificador;
    const QStringList &items = percentage ? kIdentificador2 : kIdentificador;
    chosen.identifier = items.value(group->itemIndex(), items.first()).front();
    chosen.legend = m_cbLegenda->isChecked();
    return chosen;
}

void ChartPage::MostraGrafico(int t) {
    if (!hasMarkedColumn())
        return;
    m_dbchtGrafico->unbind();

    const bool percentage = isPercentageColumn();
    m_rgIdentificador->setVisible(!percentage);
    m_rgIdentificador2->setVisible(percentage);

    ChartSettings settings =
        ChartComposer::compose(m_database, *m_result, m_result->FCampoPercentual(), choice(percentage));
    settings.kind = SeriesKind(t);
    m_dbchtGrafico->bind(std::move(settings));
}

void ChartPage::leave() { m_dbchtGrafico->unbind(); }

void ChartPage::clear() {
    m_dbchtGrafico->unbind();
    m_result = nullptr;
}
