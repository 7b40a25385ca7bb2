#include "ui/app/main_header.h"

#include "base/data/study_titles.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/effect_label.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/picture_files.h"

#include <QFontMetrics>

namespace {

struct Section {
    const char *button;
    const char *label;
    const char *caption;
    const char *picture; // file name stem under Imagens/
    int left;
};

// In section-number order; the lefts place them in the header's own order
// (Dados, Mapa, Gráfico, Exportar, Anexos, Ajuda, Sobre, Sair).
const Section kSections[MainHeader::kSectionCount] = {
    {"btnDados", "lblDados", "&Dados", "botao_dados", 420},
    {"btnMapa", "lblMapa", "&Mapa", "botao_mapa", 463},
    {"btnGrafico", "lblGrafico", "&Gráfico", "botao_grafico", 504},
    {"btnImprimir", "lblImprimir", "&Anexos", "botao_anexos", 616},
    {"btnExportar", "lblExportar", "&Exportar", "botao_exportar", 567},
    {"btnAjuda", "lblAjuda", "&Ajuda", "botao_ajuda", 675},
    {"btnSobre", "lblSobre", "S&obre", "botao_sobre", 714},
    {"btnSair", "lblSair", "&Sair", "botao_sair", 754},
};

constexpr int kButtonTop = 13;
constexpr int kLabelTop = 44;
constexpr int kButtonSize = 32;

} // namespace

MainHeader::MainHeader(QWidget *parent) : GradientBand(parent) {
    setObjectName(QStringLiteral("Chart2"));
    setFixedHeight(kHeight);
    setGradient(ColorNumber::toColor(9554175), ColorNumber::toColor(15135487), Direction::RightToLeft);
    addTitles();
    addSections();
}

void MainHeader::addTitles() {
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgCabecalho"));
    picture->setPixmap(PictureFiles::load(StudyTitles::kLogo));
    picture->setGeometry(0, 0, 64, 67);

    auto *title = new EffectLabel(StudyTitles::kTitulo1, this);
    title->setObjectName(QStringLiteral("lblTitulo1"));
    title->setFont(WindowsFonts::pixelFont(QStringLiteral("Impact"), 24));
    title->setTextColor(Qt::white);
    title->setShadow(QColor(100, 30, 0), QPoint(1, 1));
    title->move(72, 4);
    title->resize(title->sizeHint());

    auto *subtitle = new EffectLabel(StudyTitles::kTitulo2, this);
    subtitle->setObjectName(QStringLiteral("lblTitulo2"));
    subtitle->setFont(WindowsFonts::pixelFont(QStringLiteral("Impact"), 13));
    subtitle->setTextColor(ColorNumber::toColor(6730751));
    subtitle->setOutline(ColorNumber::toColor(ProgramColors::kMaroon));
    subtitle->setShadow(QColor(60, 20, 0, 140), QPoint(1, 1));
    subtitle->move(72, 38);
    subtitle->resize(subtitle->sizeHint());
}

void MainHeader::addSections() {
    for (int section = 0; section < kSectionCount; ++section) {
        const Section &s = kSections[section];
        auto *button = new ImageButton(this);
        button->setObjectName(QLatin1String(s.button));
        button->setProperty("tag", section);
        const QString stem = QLatin1String(s.picture);
        button->setPictures(PictureFiles::load(stem + QStringLiteral(".png")),
                            PictureFiles::load(stem + QStringLiteral("_pressionado.png")));
        button->setGeometry(s.left, kButtonTop, kButtonSize, kButtonSize);
        button->setToolTip(QString::fromUtf8(s.caption).remove(QLatin1Char('&')));
        m_buttons << button;

        auto *label = new ClickLabel(QString::fromUtf8(s.caption), this);
        label->setObjectName(QLatin1String(s.label));
        label->setProperty("tag", section);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // Wide enough for the caption in bold, centred under its button, so
        // highlighting never moves or clips it.
        QFont bold = label->font();
        bold.setBold(true);
        bold.setUnderline(true);
        const int width = QFontMetrics(bold).horizontalAdvance(label->text().remove(QLatin1Char('&'))) + 4;
        label->setGeometry(s.left + (kButtonSize - width) / 2, kLabelTop, width, QFontMetrics(bold).height() + 2);
        m_labels << label;
    }
}
