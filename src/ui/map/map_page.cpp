#include "ui/map/map_page.h"

#include "base/data/app_error.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"
#include "core/map/legend_file.h"
#include "core/map/map_file.h"
#include "ui/export/exportar_frm.h"
#include "ui/map/legend_grid.h"
#include "ui/map/varnik_mapa.h"
#include "ui/widgets/picture_files.h"
#include "ui/widgets/whole_lines_box.h"

#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kPanelColor = ColorNumber::toColor(ProgramColors::kPanel);
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
    m_vkMapa = new TVarnikMapa(left);
    m_vkMapa->setObjectName(QStringLiteral("vkMapa"));
    m_vkMapa->setFixedSize(MapPicture::kMapSize);
    m_vkMapa->SetTag(MapPicture::kTitleBand);
    m_vkMapa->SetVKCorFronteira(Qt::black);
    m_vkMapa->SetVKCorSelecao(Qt::black);
    m_vkMapa->SetVKNomesIguais(false);
    m_vkMapa->SetVKChecaCorFronteira(false);
    m_vkMapa->setMarksAreasWithoutData(true);
    m_pnlNomeArea = new QLabel(left);
    m_pnlNomeArea->setObjectName(QStringLiteral("pnlNomeArea"));
    m_pnlNomeArea->setFixedHeight(20);
    m_pnlNomeArea->setAlignment(Qt::AlignCenter);
    m_pnlNomeArea->setAutoFillBackground(true);
    QFont nameFont = WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    nameFont.setBold(true);
    m_pnlNomeArea->setFont(nameFont);
    paint(m_pnlNomeArea, QPalette::Window, kPanelColor);
    paint(m_pnlNomeArea, QPalette::WindowText, kMaroon);
    m_vkMapa->SetVKPanelNomeArea(m_pnlNomeArea);
    setViewMenu(m_vkMapa, [this](QMenu &menu) { addMapItems(menu); });
    leftLayout->addWidget(m_vkMapa);
    leftLayout->addWidget(m_pnlNomeArea);
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

    m_lblNomeLocal = label("lblNomeLocal", QStringLiteral("Tipo Local:"), kNavy, false, panel);
    m_lblNomeLocal->setGeometry(kPanelMargin, 23, 151, 16);
    m_edtNomeLocal = new QLineEdit(panel);
    m_edtNomeLocal->setObjectName(QStringLiteral("edtNomeLocal"));
    m_edtNomeLocal->setReadOnly(true);
    m_edtNomeLocal->setGeometry(kPanelMargin, 40, 151, 24);
    paint(m_edtNomeLocal, QPalette::Base, kNomeLocalBackground);
    m_lblMapaDeTit = label("lblMapaDeTit", QStringLiteral("Mapa de:"), kNavy, false, panel);
    m_lblMapaDeTit->setGeometry(kPanelMargin, 79, 151, 16);
    m_lblMapaDe = label("lblMapaDe", QString(), kMapaDeColor, true, panel);
    m_lblMapaDe->setGeometry(kPanelMargin, 94, 151, 18);

    m_btnSalvar = button("btnSalvar", QStringLiteral("Sal&var"), QStringLiteral("legenda_salvar.png"), {70, 45}, panel);
    m_btnSalvar->move(kPanelMargin, 126);
    m_btnAutomatica =
        button("btnAutomatica", QStringLiteral("Auto&mática"), QStringLiteral("legenda_automatica.png"), {70, 45}, panel);
    m_btnAutomatica->move(kPanelMargin + 81, 126);

    m_stgLegendaMapa = new LegendGrid(m_legend, panel);
    m_stgLegendaMapa->move(kPanelMargin - 1, 178);

    m_btnAtualizarMapa = button("btnAtualizarMapa", QStringLiteral("&Atualizar Mapa"),
                              QStringLiteral("legenda_atualizar.png"), {151, 45}, panel);
    m_btnAtualizarMapa->move(kPanelMargin, 378);

    connect(m_btnSalvar, &QToolButton::clicked, this, &MapPage::btnSalvarClick);
    connect(m_btnAutomatica, &QToolButton::clicked, this, &MapPage::btnAutomaticaClick);
    connect(m_btnAtualizarMapa, &QToolButton::clicked, this, &MapPage::btnAtualizarMapaClick);
    connect(m_stgLegendaMapa, &LegendGrid::edited, this, &MapPage::legendEdited);
    connect(m_stgLegendaMapa, &LegendGrid::classesChosen, this, &MapPage::chooseClasses);
    setPictureCopy([this] { return m_map.picture; });
    return panel;
}

void MapPage::enter(const CurrentResult &result) {
    m_result = &result;
    redraw(true);
}

void MapPage::clear() {
    leave();
    m_result = nullptr;
}

void MapPage::redraw(bool loadLegend) {
    // Without a marked column of an open table there is nothing to draw.
    if (!m_result || m_result->FCampoMarcado().isEmpty() || !m_result->cdsDados().isActive())
        return;
    MapDrawing::Hooks hooks;
    hooks.bitmapLoaded = [this](const QImage &bitmap) {
        m_map = MapResult();
        m_vkMapa->setPicture(bitmap);
    };
    hooks.legendWarning = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Solvane"), text, QMessageBox::Ok);
    };
    MapResult map;
    try {
        map = MapDrawing::MostraMapa(m_database, *m_result, m_result->mark(), m_legend, loadLegend, hooks);
    } catch (const MapRefusal &refusal) {
        emit dataSectionRequested();
        WholeLinesBox::information(this, refusal.message());
        return;
    }
    m_lblMapaDe->setText(map.level.groupingText);
    m_lblNomeLocal->setText(map.level.nomeLocalCaption);
    m_edtNomeLocal->setText(map.level.nomeLocalText);
    m_lblNomeLocal->setVisible(map.level.nomeLocalVisible);
    m_edtNomeLocal->setVisible(map.level.nomeLocalVisible);
    if (map.legendFromFile)
        m_btnAutomatica->setEnabled(*map.legendFromFile);

    m_map = std::move(map);
    m_vkMapa->SetVKAreasMapa(m_map.areas.lines());
    m_vkMapa->SetVKCorAreasMapa(m_map.colorLines);
    m_vkMapa->setPicture(m_map.picture);
    m_stgLegendaMapa->refresh();
    m_stgLegendaMapa->setAreaCounts(m_map.classCounts);
    m_stgLegendaMapa->setCurrentCell(2, 3);
    m_stgLegendaMapa->setFocus();
    m_btnAtualizarMapa->setEnabled(false);
}

void MapPage::leave() {
    m_legend.clear();
    m_stgLegendaMapa->refresh();
    m_stgLegendaMapa->clearAreaCounts();
    m_map = MapResult();
    m_vkMapa->setPicture(QImage());
    m_vkMapa->SetVKAreasMapa({});
    m_vkMapa->SetVKCorAreasMapa({});
    m_pnlNomeArea->clear();
}

void MapPage::addMapItems(QMenu &menu) {
    QAction *save = menu.addAction(QStringLiteral("Salvar mapa como…"));
    save->setObjectName(QStringLiteral("actSalvarMapaComo"));
    save->setEnabled(!m_map.picture.isNull());
    connect(save, &QAction::triggered, this, &MapPage::saveMapAs);
}

void MapPage::saveMapAs() {
    static const struct {
        const char *filter;
        const char *suffix;
    } kKinds[] = {{"Imagem PNG (*.png)", ".png"},
                  {"Imagem JPEG (*.jpg *.jpeg)", ".jpg"},
                  {"Vetores SVG (*.svg)", ".svg"},
                  {"Documento PDF (*.pdf)", ".pdf"}};
    QStringList filters;
    for (const auto &kind : kKinds)
        filters << QString::fromUtf8(kind.filter);
    QFileDialog dialog(this, QStringLiteral("Salvar mapa como"), TExportar_Frm::startFolder());
    dialog.setObjectName(QStringLiteral("dlgSalvarMapa"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // A name typed without the extension of a known format takes that of
    // the chosen kind.
    QString path = dialog.selectedFiles().constFirst();
    if (!MapFile::formatOf(path))
        path += QLatin1String(kKinds[std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))].suffix);
    MapFile::save(path, m_map);
}

bool MapPage::ValidaLegenda() {
    const MapLegend::Validation validation = m_legend.validate();
    m_stgLegendaMapa->refresh();
    if (!validation.ok)
        QMessageBox::critical(this, QStringLiteral("Solvane"), validation.message, QMessageBox::Ok);
    return validation.ok;
}

void MapPage::btnSalvarClick() {
    if (!ValidaLegenda())
        return;
    LegendFile::write(LegendFile::path(m_result->FCampoPercentual(), m_result->grouping()), m_legend.uppers());
    redraw(false);
    m_btnSalvar->setEnabled(false);
    m_btnAutomatica->setEnabled(true);
    m_btnAtualizarMapa->setEnabled(false);
}

void MapPage::btnAutomaticaClick() {
    LegendFile::makeAutomatic(m_result->FCampoPercentual(), m_result->grouping());
    redraw(true);
    m_btnSalvar->setEnabled(false);
    m_btnAutomatica->setEnabled(false);
    m_btnAtualizarMapa->setEnabled(false);
}

void MapPage::btnAtualizarMapaClick() {
    if (!ValidaLegenda())
        return;
    redraw(false);
    m_btnSalvar->setEnabled(true);
    m_btnAutomatica->setEnabled(true);
}

void MapPage::chooseClasses(ClassMethod method) {
    if (!m_result || m_map.picture.isNull())
        return;
    MapDrawing::computeClasses(m_database, *m_result, m_result->mark(), method, m_legend);
    redraw(false);
    m_btnSalvar->setEnabled(true);
    m_btnAutomatica->setEnabled(true);
}

void MapPage::legendEdited() {
    m_btnSalvar->setEnabled(true);
    m_btnAutomatica->setEnabled(true);
    m_btnAtualizarMapa->setEnabled(true);
}
