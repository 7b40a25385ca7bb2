#include "sobre_frm.h"

#include "extras/click_label.h"
#include "extras/picture_files.h"
#include "extras/rotated_label.h"
#include "extras/window_placement.h"
#include "extras/windows_fonts.h"

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

QLabel *rotulo(const char *name, const QString &text, const QFont &font, const QColor &color, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, color);
    label->setPalette(colours);
    label->adjustSize();
    return label;
}

QLabel *imagem(const char *name, const QString &file, const QRect &geometry, QWidget *parent) {
    auto *picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setPixmap(PictureFiles::load(file));
    picture->setGeometry(geometry);
    return picture;
}

QFont fonte(const char *family, int pixelSize, bool bold = false, bool italic = false) {
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
    criaImagem();
    criaRodape();
    setFixedSize(kClientWidth, kClientHeight);
}

void TSobre_Frm::criaImagem() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette dark = Panel1->palette();
    dark.setColor(QPalette::Window, QColor(20, 28, 48));
    Panel1->setPalette(dark);

    Image1 = imagem("Image1", QStringLiteral("abertura.png"), QRect(0, 0, kClientWidth, kPictureHeight), Panel1);

    const QFont turned = fonte("Tahoma", 11, true);
    lblDireitos = new RotatedLabel(kDireitos, Panel1);
    lblDireitos->setObjectName(QStringLiteral("lblDireitos"));
    lblVersao = new RotatedLabel(kVersao, Panel1);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    for (QLabel *label : {lblDireitos, lblVersao}) {
        label->setFont(turned);
        label->setAlignment(Qt::AlignCenter);
        QPalette white = label->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(white);
    }
    lblVersao->setGeometry(3, 0, 16, kPictureHeight);
    lblDireitos->setGeometry(kClientWidth - 19, 0, 16, kPictureHeight);
}

void TSobre_Frm::criaRodape() {
    pnlRodape = new QWidget(this);
    pnlRodape->setObjectName(QStringLiteral("pnlRodape"));
    pnlRodape->setAutoFillBackground(true);
    QPalette white = pnlRodape->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlRodape->setPalette(white);

    imagem("imgLogoTebrix", QStringLiteral("logo_instituicao.png"), QRect(5, 12, 74, 40), pnlRodape);

    // The publisher's name in large initials and small capitals.
    const QFont initial = fonte("Times New Roman", 16, true);
    const QFont smallCaps = fonte("Times New Roman", 10, true);
    const struct {
        const char *name;
        const char *text;
        bool initial;
    } parts[] = {{"Label1", "R", true}, {"Label2", "EDE ", false}, {"Label3", "S", true},
                 {"Label4", "OLVANE ", false}, {"Label5", "B", true}, {"Label6", "RASIL", false}};
    int left = 84;
    for (const auto &part : parts) {
        QLabel *label = rotulo(part.name, QString::fromUtf8(part.text), part.initial ? initial : smallCaps, kFooterBlue, pnlRodape);
        label->move(left, part.initial ? 8 : 14);
        left += label->width();
    }

    auto *traco = new QFrame(pnlRodape);
    traco->setObjectName(QStringLiteral("shpTraco"));
    traco->setGeometry(84, 29, 142, 2);
    traco->setAutoFillBackground(true);
    QPalette line = traco->palette();
    line.setColor(QPalette::Window, kFooterBlue);
    traco->setPalette(line);

    rotulo("lblGoverno", QStringLiteral("Estudo de demonstração"), fonte("Small Fonts", 8), kFooterBlue,
           pnlRodape)
        ->move(84, 33);

    auto *link = new ClickLabel(kEndereco, pnlRodape);
    link->setObjectName(QStringLiteral("lblLinkTebrix"));
    QFont linkFont = fonte("Arial", 9);
    linkFont.setUnderline(true);
    link->setFont(linkFont);
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(blue);
    link->setTextFormat(Qt::PlainText);
    link->adjustSize();
    link->move(84, 46);
    connect(link, &ClickLabel::clicked, this, &TSobre_Frm::lblLinkTebrixClick);

    imagem("Image2", QStringLiteral("faixa.png"), QRect(218, 16, 208, 39), pnlRodape);

    const QFont italic = fonte("Tahoma", 11, false, true);
    lblRealizacao = rotulo("lblRealizacao", QStringLiteral("Realização:"), italic, kFooterBlue, pnlRodape);
    lblRealizacao->move(179, 0);
    lblRealizacao->hide();
    lblDesenvolvimento = rotulo("lblDesenvolvimento", QStringLiteral("Desenvolvimento:"), italic, kFooterBlue, pnlRodape);
    lblDesenvolvimento->move(241, 62);
    lblDesenvolvimento->hide();

    // Below the splash's 63 pixels: seen only in dialog mode.
    imagem("imgLogoVarnik", QStringLiteral("logo_desenvolvedor.png"), QRect(251, 75, 156, 58), pnlRodape);
    const QFont notice = fonte("Tahoma", 11, true);
    rotulo("fcLabel1", kVersao, notice, kFooterBlue, pnlRodape)->move(67, 80);
    rotulo("fcLabel2", kDireitosLinha1, notice, kFooterBlue, pnlRodape)->move(28, 94);
    rotulo("fcLabel3", kDireitosLinha2, notice, kFooterBlue, pnlRodape)->move(46, 109);
    rotulo("lblCreditos", kCreditos, fonte("Tahoma", 9), kFooterBlue, pnlRodape)->move(28, 122);
}

void TSobre_Frm::switchToDialogMode() {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_footerHeight = kDialogFooterHeight;
    // The window grows by 98 × 6 pixels with its border and title bar; inside
    // them the picture keeps its size and the footer takes the 72 new lines.
    setFixedSize(kClientWidth, kPictureHeight + kDialogFooterHeight);
    lblVersao->hide();
    lblDireitos->hide();
    lblRealizacao->show();
    lblDesenvolvimento->show();
    ajustaPaineis();
}

void TSobre_Frm::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    ajustaPaineis();
}

void TSobre_Frm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    WindowPlacement::centerOnScreen(*this);
}

void TSobre_Frm::ajustaPaineis() {
    Panel1->setGeometry(0, 0, width(), kPictureHeight);
    pnlRodape->setGeometry(0, height() - m_footerHeight, width(), m_footerHeight);
}

void TSobre_Frm::lblLinkTebrixClick() {
    QDesktopServices::openUrl(QUrl::fromUserInput(findChild<QLabel *>(QStringLiteral("lblLinkTebrix"))->text()));
}
