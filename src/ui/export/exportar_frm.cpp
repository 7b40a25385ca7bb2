#include "ui/export/exportar_frm.h"

#include "base/data/app_error.h"
#include "base/data/program_folder.h"
#include "base/data/user_folders.h"
#include "base/data/safe_file.h"
#include "base/data/scope_guard.h"
#include "base/export/text_export.h"
#include "core/drawing/color_number.h"
#include "core/drawing/jpeg_writer.h"
#include "core/drawing/picture_bytes.h"
#include "core/drawing/program_colors.h"
#include "core/export/varnik_export.h"
#include "ui/widgets/picture_files.h"
#include "ui/widgets/radio_group.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>

namespace {

constexpr int kClientWidth = 413;
constexpr int kClientHeight = 390;
constexpr int kBandLeft = 6;
constexpr int kBandWidth = 401;
constexpr int kNameTop = 30;  // name row of the workbook band (and of the picture mode)
// The text band starts a little higher than the gap above it would leave, so
// that the separators' group fits whole between its frame line and the name
// row.
constexpr int kTextBandTop = 285;
constexpr int kTextBandHeight = 74;
constexpr int kTextNameTop = 51;
// The name and extension boxes of a file row. The extension box is wider
// than the four characters of ".Xls" it was drawn for, so that ".Xlsx", the
// format written, shows whole; the name box gives up the difference.
constexpr int kNameLeft = 38;
constexpr int kNameWidth = 322;
constexpr int kExtensionLeft = kNameLeft + kNameWidth + 2;
constexpr int kExtensionWidth = 38;

QLabel *picture(const char *name, const QString &file, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(PictureFiles::load(file));
    label->setGeometry(6, 22, 28, 28);
    return label;
}

QLabel *navyLabel(const char *name, QWidget *parent) {
    auto *label = new QLabel(QStringLiteral("Nome Arquivo:"), parent);
    label->setObjectName(QLatin1String(name));
    QPalette p = label->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, ColorNumber::toColor(ProgramColors::kNavy));
    p.setColor(QPalette::Inactive, QPalette::WindowText, ColorNumber::toColor(ProgramColors::kNavy));
    label->setPalette(p);
    label->setGeometry(38, 12, 120, 16);
    return label;
}

QLineEdit *edit(const char *name, const QString &text, QRect geometry, QWidget *parent) {
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

// The rectangle of a group's title as the style draws it, in the group's
// coordinates.
QRect titleRect(const QGroupBox *group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.textAlignment = group->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
}

// A radio button that completes its group's title: it stands right after
// the group's own bar, on the title's line, so that the two read
// "| Arquivo Excel |". Its ground is the dialog's, so that it hides the frame
// line where a style draws the title over it.
QRadioButton *frameRadio(const char *name, const QString &text, const QGroupBox *group, QWidget *parent) {
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(QLatin1String(name));
    radio->setBackgroundRole(QPalette::Window);
    radio->setAutoFillBackground(true);
    radio->adjustSize();
    const QRect title = titleRect(group).translated(group->pos());
    radio->move(title.right() + 1, title.center().y() - (radio->height() - 1) / 2);
    return radio;
}

} // namespace

TExportar_Frm::TExportar_Frm(const Sources &sources, TVarnikExport &btnExportaExcel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      m_sources(sources), m_exporter(btnExportaExcel) {
    setObjectName(QStringLiteral("Exportar_Frm"));
    setWindowTitle(QStringLiteral("Exportar Dados"));
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorNumber::toColor(ProgramColors::kLightGround));
    setPalette(p);
    setAutoFillBackground(true);

    buildFolderBand();
    buildWorkbookBand();
    buildTextBand();

    btnExportar = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("&Exportar"), this);
    btnExportar->setObjectName(QStringLiteral("btnExportar"));
    btnExportar->setGeometry(218, 362, 92, 25);
    btnExportar->setDefault(true);
    btnFechar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setGeometry(315, 362, 92, 25);
    btnFechar->setAutoDefault(false);

    connect(rbArqExcel, &QRadioButton::clicked, this, &TExportar_Frm::rbArqExcelClick);
    connect(rbArqTexto, &QRadioButton::clicked, this, &TExportar_Frm::rbArqTextoClick);
    connect(rgSepColuna, &RadioGroup::clicked, this, &TExportar_Frm::rgSepColunaClick);
    connect(btnExportar, &QPushButton::clicked, this, &TExportar_Frm::btnExportarClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
    medExtArqExcel->installEventFilter(this);
    medExtArqTexto->installEventFilter(this);

    const QString start = startFolder();
    const QModelIndex startIndex = m_folders->index(QDir::cleanPath(start));
    dlbExportar->setCurrentIndex(startIndex);
    showCurrentFolder();
    // The folders are read and sorted in the background, the upper ones
    // last: the chosen one is kept open and in view as they arrive, until the
    // user browses himself. Queued, so that the view has taken them in first.
    const auto follow = [this] {
        if (m_followCurrentFolder)
            showCurrentFolder();
    };
    connect(m_folders, &QFileSystemModel::rowsInserted, this, follow, Qt::QueuedConnection);
    connect(m_folders, &QFileSystemModel::layoutChanged, this, follow, Qt::QueuedConnection);
    dlbExportar->viewport()->installEventFilter(this);
    dlbExportar->installEventFilter(this);
    dlbExportarChange(QDir::cleanPath(start));

    rbArqExcelClick();
    m_separador = u';';
}

QString TExportar_Frm::startFolder() {
    // The "Exportado" folder beside the program when there is one; the
    // folder the program was started from when the program's folder is the
    // user's to write; else, for an installed program, the user's own
    // export folder.
    const QString exportado = ProgramFolder::file(QStringLiteral("Exportado"));
    if (QDir(exportado).exists())
        return exportado;
    if (!UserFolders::writable(ProgramFolder::path())) {
        const QString own = UserFolders::exportFolder();
        if (!own.isEmpty())
            return own;
    }
    return QDir::currentPath();
}

void TExportar_Frm::showCurrentFolder() {
    const QModelIndex current = dlbExportar->currentIndex();
    for (QModelIndex folder = current.parent(); folder.isValid(); folder = folder.parent())
        dlbExportar->expand(folder);
    dlbExportar->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void TExportar_Frm::buildFolderBand() {
    GroupBox3 = new QGroupBox(QStringLiteral("|  Opções de Pasta  |"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(kBandLeft, 4, kBandWidth, 189);

    medPasta = edit("medPasta", QString(), QRect(6, 18, 389, 21), GroupBox3);
    medPasta->setEnabled(false);
    setBoxColor(medPasta, false);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    dlbExportar = new QTreeView(GroupBox3);
    dlbExportar->setObjectName(QStringLiteral("dlbExportar"));
    dlbExportar->setModel(m_folders);
    dlbExportar->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        dlbExportar->hideColumn(column);
    dlbExportar->setGeometry(6, 43, 389, 112);
    connect(dlbExportar->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    dlbExportarChange(m_folders->filePath(current));
            });

    // Drives where the platform has them; the root otherwise.
    DriveComboBox1 = new QComboBox(GroupBox3);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QFileInfo &drive : QDir::drives())
        DriveComboBox1->addItem(drive.absolutePath());
    DriveComboBox1->setGeometry(6, 160, 389, 22);
    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
        const QModelIndex drive = m_folders->index(DriveComboBox1->itemText(index));
        dlbExportar->setCurrentIndex(drive);
        dlbExportar->collapseAll();
    });

    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 193, kClientWidth, 19);
}

void TExportar_Frm::buildWorkbookBand() {
    gbArqExcel = new QGroupBox(QStringLiteral("|  "), this);
    gbArqExcel->setObjectName(QStringLiteral("gbArqExcel"));
    gbArqExcel->setGeometry(kBandLeft, 212, kBandWidth, 59);
    imgArqExcel = picture("imgArqExcel", QStringLiteral("arquivo_planilha.png"), gbArqExcel);
    lblArqExcel = navyLabel("lblArqExcel", gbArqExcel);
    medArqExcel = edit("medArqExcel", QStringLiteral("Dados_Solvane_2000"), QRect(kNameLeft, kNameTop - 2, kNameWidth, 21), gbArqExcel);
    medExtArqExcel = edit("medExtArqExcel", QStringLiteral(".Xlsx"), QRect(kExtensionLeft, kNameTop - 2, kExtensionWidth, 21), gbArqExcel);
    rbArqExcel = frameRadio("rbArqExcel", QStringLiteral(" Arquivo Excel  |"), gbArqExcel, this);
    rbArqExcel->setChecked(true);

    auto *panel2 = new QWidget(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(0, 271, kClientWidth, 20);
}

void TExportar_Frm::buildTextBand() {
    gbArqTexto = new QGroupBox(QStringLiteral("|  "), this);
    gbArqTexto->setObjectName(QStringLiteral("gbArqTexto"));
    gbArqTexto->setGeometry(kBandLeft, kTextBandTop, kBandWidth, kTextBandHeight);
    imgArqTexto = picture("imgArqTexto", QStringLiteral("arquivo_texto.png"), gbArqTexto);
    ImgArqJPeg = picture("ImgArqJPeg", QStringLiteral("arquivo_imagem.png"), gbArqTexto);
    ImgArqJPeg->hide();
    lblArqTexto = navyLabel("lblArqTexto", gbArqTexto);
    rgSepColuna = new RadioGroup(QStringLiteral(" Separador de Colunas "),
                                 {QStringLiteral(";"), QStringLiteral(","), QStringLiteral("<TAB>")}, 3, gbArqTexto);
    rgSepColuna->setObjectName(QStringLiteral("rgSepColuna"));
    rgSepColuna->setItemIndex(0);
    // The title stands on the band's frame line, below the band's own title
    // and radio button; the three items stand in one row under it, above
    // the name row.
    const int frameLine = titleRect(gbArqTexto).bottom() + 3;
    const int top = frameLine - titleRect(rgSepColuna).center().y();
    rgSepColuna->setGeometry(160, top, 238, kTextNameTop - top);
    rgSepColuna->layout()->setContentsMargins(6, 0, 6, 0);
    medArqTexto = edit("medArqTexto", QStringLiteral("Solvane_2000"), QRect(kNameLeft, kTextNameTop, kNameWidth, 21), gbArqTexto);
    medExtArqTexto = edit("medExtArqTexto", QStringLiteral(".Txt"), QRect(kExtensionLeft, kTextNameTop, kExtensionWidth, 21), gbArqTexto);
    rbArqTexto = frameRadio("rbArqTexto", QStringLiteral(" Arquivo Texto  |"), gbArqTexto, this);
}

void TExportar_Frm::prepareFor(ExportReport::Page page) {
    static const char *const captions[] = {"Exportação dos Dados ....", "Exportação do Mapa ....",
                                           "Exportação do Gráfico ...."};
    static const char *const names[] = {"DADOS_Solvane_2000", "MAPA_Solvane_2000", "GRAFICO_Solvane_2000"};
    setWindowTitle(QString::fromUtf8(captions[page]));
    medArqExcel->setText(QLatin1String(names[page]));
    medArqTexto->setText(QLatin1String(names[page]));
    if (page == ExportReport::kDataPage)
        return;
    rbArqTexto->setText(QStringLiteral(" Arquivo JPeg  |"));
    rbArqTexto->adjustSize();
    imgArqTexto->hide();
    ImgArqJPeg->show();
    rgSepColuna->hide();
    medArqTexto->move(medArqTexto->x(), kNameTop - 2);
    medExtArqTexto->move(medExtArqTexto->x(), kNameTop - 2);
    medExtArqTexto->setText(QStringLiteral(".Jpg"));
    gbArqTexto->resize(gbArqTexto->width(), gbArqExcel->height());
}

void TExportar_Frm::setBoxColor(QLineEdit *box, bool enabled) {
    QPalette p = box->palette();
    const QColor color = QApplication::palette().color(enabled ? QPalette::Base : QPalette::Button);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, color);
    box->setPalette(p);
}

void TExportar_Frm::dlbExportarChange(const QString &folder) { medPasta->setText(QDir::toNativeSeparators(folder)); }

void TExportar_Frm::rbArqExcelClick() {
    rbArqTexto->setChecked(false);
    gbArqTexto->setEnabled(false);
    lblArqTexto->setEnabled(false);
    rgSepColuna->setEnabled(false);
    setBoxColor(medArqTexto, false);
    setBoxColor(medExtArqTexto, false);
    gbArqExcel->setEnabled(true);
    lblArqExcel->setEnabled(true);
    setBoxColor(medArqExcel, true);
    setBoxColor(medExtArqExcel, true);
}

void TExportar_Frm::rbArqTextoClick() {
    gbArqTexto->setEnabled(true);
    lblArqTexto->setEnabled(true);
    rgSepColuna->setEnabled(true);
    setBoxColor(medArqTexto, true);
    setBoxColor(medExtArqTexto, true);
    rbArqExcel->setChecked(false);
    gbArqExcel->setEnabled(false);
    lblArqExcel->setEnabled(false);
    setBoxColor(medArqExcel, false);
    setBoxColor(medExtArqExcel, false);
}

void TExportar_Frm::rgSepColunaClick(int index) {
    static const QChar separators[] = {u';', u',', u'\t'};
    if (index >= 0 && index < 3)
        m_separador = separators[index];
}

bool TExportar_Frm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == dlbExportar || watched == dlbExportar->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel ||
            event->type() == QEvent::KeyPress)
            m_followCurrentFolder = false;
        return QDialog::eventFilter(watched, event);
    }
    // Leaving an extension box for another control of the dialog (not for
    // another window, the message box included) checks it.
    if (event->type() == QEvent::FocusOut && !m_checkingExtension) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            medExtArqExcelExit(static_cast<QLineEdit *>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void TExportar_Frm::medExtArqExcelExit(QLineEdit *box) {
    if (box->text().startsWith(u'.'))
        return;
    m_checkingExtension = true;
    ScopeGuard done([this] { m_checkingExtension = false; });
    QMessageBox::critical(this, QStringLiteral("Solvane"),
                          QStringLiteral("ATENÇÃO: A extensão do arquivo deve conter o ponto (.?\?\?)"), QMessageBox::Ok);
    box->setFocus(Qt::OtherFocusReason);
}

QString TExportar_Frm::workbookTarget() const {
    return medPasta->text() + QDir::separator() + medArqExcel->text() + medExtArqExcel->text();
}

QString TExportar_Frm::textTarget() const {
    return medPasta->text() + QDir::separator() + medArqTexto->text() + medExtArqTexto->text();
}

void TExportar_Frm::btnExportarClick() {
    // The dialog closes after the export, whether it succeeded or not; an
    // error reaches the program's error box with its own text.
    ScopeGuard close([this] { accept(); });
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ScopeGuard restore([] { QApplication::restoreOverrideCursor(); });
        if (rbArqExcel->isChecked())
            exportWorkbook();
        else
            exportText();
    }
    QMessageBox::information(this, QStringLiteral("Solvane"), QStringLiteral("Exportação Efetuada com Sucesso !"),
                             QMessageBox::Ok);
}

void TExportar_Frm::exportWorkbook() {
    QImage picture;
    if (m_sources.page == ExportReport::kMapPage) {
        picture = m_sources.picture ? m_sources.picture() : QImage();
    } else if (m_sources.page == ExportReport::kChartPage) {
        // The chart reaches the sheet as the bitmap it saves.
        withTemporaryBitmap([&picture](const QString &bitmap) {
            if (!picture.load(bitmap, "BMP"))
                throw AppError(QStringLiteral("Não foi possível ler a imagem %1").arg(bitmap));
        });
    }
    ExportReport::writeWorkbook(m_exporter, *m_sources.database, *m_sources.result, m_sources.page, picture,
                                workbookTarget());
    QDesktopServices::openUrl(QUrl::fromLocalFile(workbookTarget()));
}

void TExportar_Frm::exportText() {
    if (m_sources.page != ExportReport::kDataPage) {
        exportJpeg();
        return;
    }
    SafeFile::write(textTarget(), TextExport::bytes(*m_sources.result, m_separador));
}

void TExportar_Frm::exportJpeg() {
    withTemporaryBitmap([this](const QString &bitmap) { JpegWriter::GravaJPEG(bitmap, textTarget()); });
}

void TExportar_Frm::withTemporaryBitmap(const std::function<void(const QString &)> &use) const {
    const QImage picture = m_sources.picture ? m_sources.picture() : QImage();
    if (picture.isNull())
        throw AppError(QStringLiteral("Exportando a imagem \"%1\": não há imagem a gravar; desenhe o mapa ou o "
                                      "gráfico antes de exportá-lo.")
                           .arg(rbArqExcel->isChecked() ? workbookTarget() : JpegWriter::jpegName(textTarget())));
    // The picture passes through a bitmap in a folder of its own, removed
    // with everything in it: the program's folder may be read-only.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw AppError(QStringLiteral("Não foi possível criar uma pasta temporária: %1").arg(scratch.errorString()));
    const QString bitmap = scratch.filePath(QStringLiteral("GrfcTmp.Bmp"));
    PictureBytes::writeBitmap(bitmap, picture);
    use(bitmap);
}
