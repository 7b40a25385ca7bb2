#include "map/map_page.h"

#include "data/app_error.h"
#include "extras/picture_files.h"
#include "extras/windows_fonts.h"
#include "map/legend_file.h"
#include "map/legend_grid.h"
#include "map/varnik_mapa.h"
#include "table/result_table.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kPanelColor(198, 203, 213); // 14011334
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kMapaDeColor(255, 138, 21); // 1411839
const QColor kNomeLocalBackground(255, 186, 117); // 7715583
constexpr int kRightPanelWidth = 165;
constexpr int kPanelMargin = 7;

void paint(QWidget *widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QLabel *label(const char *name, const QString &caption, const QColor &color, bool bold, QWidget *parent) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    QFont font = WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    font.setBold(bold);
    l->setFont(font);
    paint(l, QPalette::WindowText, color);
    return l;
}

QToolButton *button(const char *name, const QString &caption, const QString &picture, QSize size, QWidget *parent) {
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setIcon(PictureFiles::load(picture));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFixedSize(size);
    b->setEnabled(false);
    return b;
}

} // namespace

MapPage::MapPage(Database &database, QWidget *parent) : MainPage(parent), m_database(database) {
    setObjectName(QStringLiteral("pgMapa"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *left = new QWidget(this);
    left->setFixedSize(MapPicture::kMapSize.width(), MapPicture::kMapSize.height() + 20);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    vkMapa = new TVarnikMapa(left);
    vkMapa->setObjectName(QStringLiteral("vkMapa"));
    vkMapa->setFixedSize(MapPicture::kMapSize);
    vkMapa->SetTag(MapPicture::kTitleBand);
    vkMapa->SetVKCorFronteira(Qt::black);
    vkMapa->SetVKCorSelecao(Qt::black);
    vkMapa->SetVKNomesIguais(false);
    vkMapa->SetVKChecaCorFronteira(false);
    pnlNomeArea = new QLabel(left);
    pnlNomeArea->setObjectName(QStringLiteral("pnlNomeArea"));
    pnlNomeArea->setFixedHeight(20);
    pnlNomeArea->setAlignment(Qt::AlignCenter);
    pnlNomeArea->setAutoFillBackground(true);
    QFont nameFont = WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    nameFont.setBold(true);
    pnlNomeArea->setFont(nameFont);
    paint(pnlNomeArea, QPalette::Window, kPanelColor);
    paint(pnlNomeArea, QPalette::WindowText, kMaroon);
    vkMapa->SetVKPanelNomeArea(pnlNomeArea);
    leftLayout->addWidget(vkMapa);
    leftLayout->addWidget(pnlNomeArea);
    leftLayout->addStretch(1);

    layout->addWidget(left, 0, Qt::AlignTop);
    layout->addWidget(createRightPanel());
    layout->addStretch(1);
}

QWidget *MapPage::createRightPanel() {
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlLegenda"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedWidth(kRightPanelWidth);
    panel->setAutoFillBackground(true);
    paint(panel, QPalette::Window, kPanelColor);

    lblNomeLocal = label("lblNomeLocal", QStringLiteral("Tipo Local:"), kNavy, false, panel);
    lblNomeLocal->setGeometry(kPanelMargin, 23, 151, 16);
    edtNomeLocal = new QLineEdit(panel);
    edtNomeLocal->setObjectName(QStringLiteral("edtNomeLocal"));
    edtNomeLocal->setReadOnly(true);
    edtNomeLocal->setGeometry(kPanelMargin, 40, 151, 24);
    paint(edtNomeLocal, QPalette::Base, kNomeLocalBackground);
    lblMapaDeTit = label("lblMapaDeTit", QStringLiteral("Mapa de:"), kNavy, false, panel);
    lblMapaDeTit->setGeometry(kPanelMargin, 79, 151, 16);
    lblMapaDe = label("lblMapaDe", QString(), kMapaDeColor, true, panel);
    lblMapaDe->setGeometry(kPanelMargin, 94, 151, 18);

    btnSalvar = button("btnSalvar", QStringLiteral("Sal&var"), QStringLiteral("legenda_salvar.png"), {70, 45}, panel);
    btnSalvar->move(kPanelMargin, 126);
    btnAutomatica =
        button("btnAutomatica", QStringLiteral("Auto&mática"), QStringLiteral("legenda_automatica.png"), {70, 45}, panel);
    btnAutomatica->move(kPanelMargin + 81, 126);

    stgLegendaMapa = new LegendGrid(m_legend, panel);
    stgLegendaMapa->move(kPanelMargin - 1, 178);

    btnAtualizarMapa = button("btnAtualizarMapa", QStringLiteral("&Atualizar Mapa"),
                              QStringLiteral("legenda_atualizar.png"), {151, 45}, panel);
    btnAtualizarMapa->move(kPanelMargin, 378);

    connect(btnSalvar, &QToolButton::clicked, this, &MapPage::btnSalvarClick);
    connect(btnAutomatica, &QToolButton::clicked, this, &MapPage::btnAutomaticaClick);
    connect(btnAtualizarMapa, &QToolButton::clicked, this, &MapPage::btnAtualizarMapaClick);
    connect(stgLegendaMapa, &LegendGrid::edited, this, &MapPage::legendEdited);
    return panel;
}

void MapPage::enter(const CurrentResult &result) { MostraMapa(MapRequest::from(result), true); }

void MapPage::clear() { leave(); }

void MapPage::MostraMapa(const MapRequest &request, bool loadLegend) {
    m_request = request;
    redraw(loadLegend);
}

void MapPage::redraw(bool loadLegend) {
    // Without a marked column of an open table there is nothing to draw.
    if (m_request.FCampoMarcado.isEmpty() || !m_request.cdsDados || !m_request.cdsDados->isActive())
        return;
    MapDrawing::Hooks hooks;
    hooks.bitmapLoaded = [this](const QImage &bitmap) {
        m_picture = QImage();
        vkMapa->setPicture(bitmap);
    };
    hooks.legendWarning = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Solvane"), text, QMessageBox::Ok);
    };
    MapResult map;
    try {
        map = MapDrawing::MostraMapa(m_database, m_request, m_legend, loadLegend, hooks);
    } catch (const MapRefusal &refusal) {
        emit dataSectionRequested();
        QMessageBox::information(this, QStringLiteral("Solvane"), refusal.message(), QMessageBox::Ok);
        return;
    }
    lblMapaDe->setText(map.level.groupingText);
    lblNomeLocal->setText(map.level.nomeLocalCaption);
    edtNomeLocal->setText(map.level.nomeLocalText);
    lblNomeLocal->setVisible(map.level.nomeLocalVisible);
    edtNomeLocal->setVisible(map.level.nomeLocalVisible);
    if (map.legendFromFile)
        btnAutomatica->setEnabled(*map.legendFromFile);

    m_picture = map.picture;
    vkMapa->SetVKAreasMapa(map.areas.lines());
    vkMapa->SetVKCorAreasMapa(map.colorLines);
    vkMapa->setPicture(m_picture);
    stgLegendaMapa->refresh();
    stgLegendaMapa->setAreaCounts(map.classCounts);
    stgLegendaMapa->setCurrentCell(2, 3);
    stgLegendaMapa->setFocus();
    btnAtualizarMapa->setEnabled(false);
}

void MapPage::leave() {
    m_legend.clear();
    stgLegendaMapa->refresh();
    stgLegendaMapa->clearAreaCounts();
    m_picture = QImage();
    vkMapa->setPicture(QImage());
    vkMapa->SetVKAreasMapa({});
    vkMapa->SetVKCorAreasMapa({});
    pnlNomeArea->clear();
}

bool MapPage::ValidaLegenda() {
    const MapLegend::Validation validation = m_legend.validate();
    stgLegendaMapa->refresh();
    if (!validation.ok)
        QMessageBox::critical(this, QStringLiteral("Solvane"), validation.message, QMessageBox::Ok);
    return validation.ok;
}

void MapPage::btnSalvarClick() {
    if (!ValidaLegenda())
        return;
    LegendFile::write(LegendFile::path(m_request.FCampoPercentual, m_request.selection.agrupar), m_legend.uppers());
    redraw(false);
    btnSalvar->setEnabled(false);
    btnAutomatica->setEnabled(true);
    btnAtualizarMapa->setEnabled(false);
}

void MapPage::btnAutomaticaClick() {
    LegendFile::remove(LegendFile::path(m_request.FCampoPercentual, m_request.selection.agrupar));
    redraw(true);
    btnSalvar->setEnabled(false);
    btnAutomatica->setEnabled(false);
    btnAtualizarMapa->setEnabled(false);
}

void MapPage::btnAtualizarMapaClick() {
    if (!ValidaLegenda())
        return;
    redraw(false);
    btnSalvar->setEnabled(true);
    btnAutomatica->setEnabled(true);
}

void MapPage::legendEdited() {
    btnSalvar->setEnabled(true);
    btnAutomatica->setEnabled(true);
    btnAtualizarMapa->setEnabled(true);
}
