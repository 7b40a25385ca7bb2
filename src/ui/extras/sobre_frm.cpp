#include "ui/extras/sobre_frm.h"

#include "core/drawing/windows_fonts.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/picture_files.h"
#include "ui/widgets/rotated_label.h"
#include "ui/widgets/window_placement.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

namespace {

const QString kVersao = QStringLiteral("Versão: 1.5");
const QString kDireitos = QStringLiteral("© 2005–2026 Rede Solvane Brasil");
const QString kDireitosLinha1 = QStringLiteral("Todos os direitos reservados.");
const QString kDireitosLinha2 = QStringLiteral("© 2005–2026 · dados de amostra");
const QString kEndereco = QStringLiteral("www.example.org/solvane");
const QString kCreditos = QStringLiteral("Contornos dos estados: @svg-maps/brazil (CC BY 4.0)");
const QColor kFooterBlue(0, 0, 160);

QLabel *newLabel(const char *name, const QString &text, const QFont &font, const QColor &color, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, color);
    label->setPalette(colours);
    label->adjustSize();
    return label;
}

QLabel *newPicture(const char *name, const QString &file, const QRect &geometry, QWidget *parent) {
    auto *picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setPixmap(PictureFiles::load(file));
    picture->setGeometry(geometry);
    return picture;
}

QFont windowsFont(const char *family, int pixelSize, bool bold = false, bool italic = false) {
    QFont font = WindowsFonts::pixelFont(QLatin1String(family), pixelSize);
    if (bold)
        font.setBold(true);
    font.setItalic(italic);
    return font;
}

} // namespace

TSobre_Frm::TSobre_Frm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Sobre_Frm"));
    setWindowTitle(QStringLiteral("Sobre o Projeto"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    buildImage();
    buildFooter();
    setFixedSize(kClientWidth, kClientHeight);
}

void TSobre_Frm::buildImage() {
    m_Panel1 = new QWidget(this);
    m_Panel1->setObjectName(QStringLiteral("Panel1"));
    m_Panel1->setAutoFillBackground(true);
    QPalette dark = m_Panel1->palette();
    dark.setColor(QPalette::Window, QColor(20, 28, 48));
    m_Panel1->setPalette(dark);

    m_Image1 = newPicture("Image1", QStringLiteral("abertura.png"), QRect(0, 0, kClientWidth, kPictureHeight), m_Panel1);

    const QFont turned = windowsFont("Tahoma", 11, true);
    m_lblDireitos = new RotatedLabel(kDireitos, m_Panel1);
    m_lblDireitos->setObjectName(QStringLiteral("lblDireitos"));
    m_lblVersao = new RotatedLabel(kVersao, m_Panel1);
    m_lblVersao->setObjectName(QStringLiteral("lblVersao"));
    for (QLabel *label : {m_lblDireitos, m_lblVersao}) {
        label->setFont(turned);
        label->setAlignment(Qt::AlignCenter);
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(white);
    }
    m_lblVersao->setGeometry(3, 0, 16, kPictureHeight);
    m_lblDireitos->setGeometry(kClientWidth - 19, 0, 16, kPictureHeight);
}

void TSobre_Frm::buildFooter() {
    m_pnlRodape = new QWidget(this);
    m_pnlRodape->setObjectName(QStringLiteral("pnlRodape"));
    m_pnlRodape->setAutoFillBackground(true);
    QPalette white = m_pnlRodape->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_pnlRodape->setPalette(white);

    newPicture("imgLogoTebrix", QStringLiteral("logo_instituicao.png"), QRect(5, 12, 74, 40), m_pnlRodape);

    // The publisher's name in large initials and small capitals.
    const QFont initial = windowsFont("Times New Roman", 16, true);
    const QFont smallCaps = windowsFont("Times New Roman", 10, true);
    const struct {
        const char *name;
        const char *text;
        bool initial;
    } parts[] = {{"Label1", "R", true}, {"Label2", "EDE ", false}, {"Label3", "S", true},
                 {"Label4", "OLVANE ", false}, {"Label5", "B", true}, {"Label6", "RASIL", false}};
    int left = 84;
    for (const auto &part : parts) {
        QLabel *label = newLabel(part.name, QString::fromUtf8(part.text), part.initial ? initial : smallCaps, kFooterBlue, m_pnlRodape);
        label->move(left, part.initial ? 8 : 14);
        left += label->width();
    }

    auto *traco = new QFrame(m_pnlRodape);
    traco->setObjectName(QStringLiteral("shpTraco"));
    traco->setGeometry(84, 29, 142, 2);
    traco->setAutoFillBackground(true);
    QPalette line = traco->palette();
    line.setColor(QPalette::Window, kFooterBlue);
    traco->setPalette(line);

    newLabel("lblGoverno", QStringLiteral("Estudo de demonstração"), windowsFont("Small Fonts", 8), kFooterBlue,
           m_pnlRodape)
        ->move(84, 33);

    auto *link = new ClickLabel(kEndereco, m_pnlRodape);
    link->setObjectName(QStringLiteral("lblLinkTebrix"));
    QFont linkFont = windowsFont("Arial", 9);
    linkFont.setUnderline(true);
    link->setFont(linkFont);
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(blue);
    link->setTextFormat(Qt::PlainText);
    link->adjustSize();
    link->move(84, 46);
    connect(link, &ClickLabel::clicked, this, &TSobre_Frm::lblLinkTebrixClick);

    newPicture("Image2", QStringLiteral("faixa.png"), QRect(218, 16, 208, 39), m_pnlRodape);
}

// The footer's lower part and its captions, seen only in dialog mode: the
// splash never builds them, so the start-up draws no text or picture it
// does not show.
void TSobre_Frm::buildDialogFooter() {
    const QFont italic = windowsFont("Tahoma", 11, false, true);
    newLabel("lblRealizacao", QStringLiteral("Realização:"), italic, kFooterBlue, m_pnlRodape)->move(179, 0);
    newLabel("lblDesenvolvimento", QStringLiteral("Desenvolvimento:"), italic, kFooterBlue, m_pnlRodape)->move(241, 62);
    newPicture("imgLogoVarnik", QStringLiteral("logo_desenvolvedor.png"), QRect(251, 75, 156, 58), m_pnlRodape);
    const QFont notice = windowsFont("Tahoma", 11, true);
    newLabel("fcLabel1", kVersao, notice, kFooterBlue, m_pnlRodape)->move(67, 80);
    newLabel("fcLabel2", kDireitosLinha1, notice, kFooterBlue, m_pnlRodape)->move(28, 94);
    newLabel("fcLabel3", kDireitosLinha2, notice, kFooterBlue, m_pnlRodape)->move(46, 109);
    newLabel("lblCreditos", kCreditos, windowsFont("Tahoma", 9), kFooterBlue, m_pnlRodape)->move(28, 122);
}

void TSobre_Frm::switchToDialogMode() {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_footerHeight = kDialogFooterHeight;
    // The window grows by 98 × 6 pixels with its border and title bar; inside
    // them the picture keeps its size and the footer takes the 72 new lines.
    setFixedSize(kClientWidth, kPictureHeight + kDialogFooterHeight);
    m_lblVersao->hide();
    m_lblDireitos->hide();
    buildDialogFooter();
    arrangePanels();
}

void TSobre_Frm::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    arrangePanels();
}

void TSobre_Frm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    WindowPlacement::centerOnScreen(*this);
}

void TSobre_Frm::arrangePanels() {
    m_Panel1->setGeometry(0, 0, width(), kPictureHeight);
    m_pnlRodape->setGeometry(0, height() - m_footerHeight, width(), m_footerHeight);
}

void TSobre_Frm::lblLinkTebrixClick() {
    QDesktopServices::openUrl(QUrl::fromUserInput(findChild<QLabel *>(QStringLiteral("lblLinkTebrix"))->text()));
}
