#include "ui/extras/arquivos_anexos_frm.h"

#include "base/data/program_folder.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/window_placement.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const char *const kDocuments[] = {
    "Anexos/Relatório_Solvane2005.pdf",
    "Anexos/Solvane2005_Anexo.pdf",
    "Anexos/Solvane2005_Anexo.xlsx",
};
} // namespace

TArquivos_Anexos_Frm::TArquivos_Anexos_Frm(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Arquivos_Anexos_Frm"));
    setWindowTitle(QStringLiteral("SOLVANE NO BRASIL - ANÁLISE DOS RESULTADOS"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColorNumber::toColor(ProgramColors::kFrame));
    setPalette(colours);
    setFixedSize(434, 128);

    m_rgArquivo = new RadioGroup(QStringLiteral("| Selecione o arquivo desejado |"),
                               {QStringLiteral("Relatório em PDF"), QStringLiteral("Anexo Estatístico em PDF"),
                                QStringLiteral("Anexo Estatístico em Xls")},
                               2, this);
    m_rgArquivo->setObjectName(QStringLiteral("rgArquivo"));
    m_rgArquivo->setFixedHeight(92);
    m_rgArquivo->setItemIndex(0);

    auto *buscar = new QPushButton(QStringLiteral("&Buscar"), this);
    buscar->setObjectName(QStringLiteral("btnExportar"));
    buscar->setDefault(true);
    auto *fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnFechar"));
    connect(buscar, &QPushButton::clicked, this, &TArquivos_Anexos_Frm::btnExportarClick);
    connect(fechar, &QPushButton::clicked, this, &TArquivos_Anexos_Frm::btnFecharClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(buscar);
    buttons->addWidget(fechar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_rgArquivo);
    layout->addLayout(buttons);
}

QString TArquivos_Anexos_Frm::documentOf(int item) {
    if (item < 0 || item >= int(std::size(kDocuments)))
        return {};
    return QString::fromUtf8(kDocuments[item]);
}

void TArquivos_Anexos_Frm::btnExportarClick() {
    // The desktop's answer is not examined: a missing document, or one no
    // program opens, brings no message of ours.
    const QString document = documentOf(m_rgArquivo->itemIndex());
    if (!document.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(ProgramFolder::file(document)));
    accept();
}

void TArquivos_Anexos_Frm::btnFecharClick() { reject(); }

void TArquivos_Anexos_Frm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    WindowPlacement::centerOnScreen(*this);
}
