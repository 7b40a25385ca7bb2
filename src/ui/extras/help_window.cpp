#include "ui/extras/help_window.h"

#include "base/data/program_folder.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QString &helpFileOverride() {
    static QString path;
    return path;
}

QPointer<HelpWindow> &openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

constexpr int kAnchorRole = Qt::UserRole;
constexpr int kContentsWidth = 270;

QToolButton *historyButton(QStyle::StandardPixmap icon, const QString &tip, const QKeySequence &key,
                           const char *name, QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setShortcut(key);
    button->setEnabled(false);
    return button;
}
} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QDialog(parent),
      m_btnVoltar(historyButton(QStyle::SP_ArrowBack, QStringLiteral("Voltar (Alt+Seta para a esquerda)"),
                                QKeySequence(Qt::ALT | Qt::Key_Left), "btnVoltar", this)),
      m_btnAvancar(historyButton(QStyle::SP_ArrowForward, QStringLiteral("Avançar (Alt+Seta para a direita)"),
                                 QKeySequence(Qt::ALT | Qt::Key_Right), "btnAvancar", this)),
      m_edtProcurarAjuda(new QLineEdit(this)), m_lstAssuntos(new QListWidget), m_browser(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ajuda do Solvane"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    setAttribute(Qt::WA_DeleteOnClose);

    m_edtProcurarAjuda->setObjectName(QStringLiteral("edtProcurarAjuda"));
    m_edtProcurarAjuda->setPlaceholderText(QStringLiteral("Procurar na ajuda"));
    m_edtProcurarAjuda->setClearButtonEnabled(true);
    m_lstAssuntos->setObjectName(QStringLiteral("lstAssuntos"));
    m_browser->setObjectName(QStringLiteral("txtAjuda"));
    m_browser->setOpenExternalLinks(true);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_btnVoltar);
    bar->addWidget(m_btnAvancar);
    bar->addWidget(m_edtProcurarAjuda, 1);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_lstAssuntos);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kContentsWidth, 720});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    // Wide enough for the pictures of the main window beside the contents.
    resize(1260, 760);

    connect(m_btnVoltar, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_btnAvancar, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_btnVoltar, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_btnAvancar, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &source) {
        m_search.reset();
        markSection(source.fragment());
    });
    connect(m_lstAssuntos, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        QUrl url = m_browser->source();
        url.setFragment(item->data(kAnchorRole).toString());
        m_browser->setSource(url);
    });
    connect(m_edtProcurarAjuda, &QLineEdit::textChanged, this, [this] { search(false); });
    connect(m_edtProcurarAjuda, &QLineEdit::returnPressed, this, [this] { search(true); });
}

void HelpWindow::setHelpFile(const QString &path) { helpFileOverride() = path; }

QString HelpWindow::helpFile() {
    return helpFileOverride().isEmpty() ? ProgramFolder::helpFile() : helpFileOverride();
}

HelpWindow *HelpWindow::instance() { return openWindow(); }

void HelpWindow::showContext(int context, QWidget *parent) { showSection(anchorOf(context), parent); }

void HelpWindow::showSection(const QString &anchor, QWidget *parent) {
    const QString path = helpFile();
    if (!QFileInfo(path).isFile()) {
        QMessageBox::information(parent, QStringLiteral("Solvane"),
                                 QStringLiteral("O arquivo de ajuda \"%1\" não foi encontrado.").arg(path), QMessageBox::Ok);
        return;
    }
    // A window that belongs to another owner would be blocked by a modal
    // dialog, or closed with it: the request gets a window of its own.
    QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent;
    if (openWindow() && openWindow()->parentWidget() != owner)
        delete openWindow().data();
    if (!openWindow())
        openWindow() = new HelpWindow(owner);
    HelpWindow *window = openWindow();
    window->open(path, anchor);
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindow::open(const QString &path, const QString &anchor) {
    if (m_listedPage != path)
        listSections(path);
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    m_browser->setSource(url);
    markSection(anchor);
}

void HelpWindow::listSections(const QString &path) {
    m_listedPage = path;
    m_lstAssuntos->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return; // the browser shows the page as it can; the list stays empty
    static const QRegularExpression heading(QStringLiteral("<a name=\"([^\"]+)\"></a>\\s*<h([1-3])>(.*?)</h\\2>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QString html = QString::fromUtf8(file.readAll());
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString title = QTextDocumentFragment::fromHtml(match.captured(3)).toPlainText().simplified();
        auto *item = new QListWidgetItem(match.captured(2) == QLatin1String("1") ? QStringLiteral("Início") : title,
                                         m_lstAssuntos);
        item->setData(kAnchorRole, match.captured(1));
    }
}

void HelpWindow::markSection(const QString &anchor) {
    for (int row = 0; row < m_lstAssuntos->count(); ++row)
        if (m_lstAssuntos->item(row)->data(kAnchorRole).toString() == anchor) {
            m_lstAssuntos->setCurrentRow(row);
            return;
        }
}

void HelpWindow::search(bool next) {
    if (!m_search)
        m_search.emplace(m_browser->document()->toPlainText());
    // The search goes on from the place found last while it is in view; a
    // reader who went on to another section searches from what is shown.
    const QTextCursor current = m_browser->textCursor();
    int from = m_browser->cursorForPosition(QPoint(0, 0)).position();
    if (current.hasSelection() && m_browser->viewport()->rect().intersects(m_browser->cursorRect(current)))
        from = next ? current.selectionEnd() : current.selectionStart();
    const HelpSearch::Match match = m_search->find(m_edtProcurarAjuda->text(), from);
    QPalette colours = m_edtProcurarAjuda->palette();
    colours.setColor(QPalette::Text, match.found() || m_edtProcurarAjuda->text().trimmed().isEmpty()
                                         ? palette().color(QPalette::Text)
                                         : QColor(Qt::red));
    m_edtProcurarAjuda->setPalette(colours);
    if (!match.found())
        return;
    QTextCursor cursor(m_browser->document());
    cursor.setPosition(match.position);
    cursor.setPosition(match.position + match.length, QTextCursor::KeepAnchor);
    m_browser->setTextCursor(cursor);
    m_browser->ensureCursorVisible();
}
