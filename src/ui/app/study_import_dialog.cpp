#include "ui/app/study_import_dialog.h"

#include "base/data/import_process.h"

#include <QEventLoop>
#include <QRegularExpression>

StudyImportDialog::StudyImportDialog(const QString &published, const QString &target, QWidget *parent)
    : QProgressDialog(parent), m_process(new ImportProcess(published, target, this)) {
    setObjectName(QStringLiteral("StudyImportDialog"));
    setWindowTitle(QStringLiteral("Solvane"));
    setLabelText(QStringLiteral("Importando o estudo \"%1\"...").arg(published));
    setCancelButtonText(QStringLiteral("Cancelar"));
    setMinimumWidth(520);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setRange(0, 0);
    connect(m_process, &ImportProcess::line, this, &StudyImportDialog::showLine);
    connect(this, &QProgressDialog::canceled, m_process, &ImportProcess::cancel);
}

// The importer's first line says how many tables follow, each of which then
// has its line: the bar counts them.
void StudyImportDialog::showLine(const QString &text) {
    static const QRegularExpression tableCount(QStringLiteral("\\((\\d+) tabelas\\)"));
    static const QRegularExpression tableDone(QStringLiteral("^Importando .+: [\\d ]+ linhas$"));
    if (const QRegularExpressionMatch match = tableCount.match(text); match.hasMatch()) {
        setRange(0, match.captured(1).toInt());
        setValue(0);
    } else if (tableDone.match(text).hasMatch() && maximum() > 0) {
        setValue(value() + 1);
    }
    setLabelText(text);
}

QString StudyImportDialog::run() {
    QEventLoop loop;
    QString failure;
    connect(m_process, &ImportProcess::finished, &loop, [&](const QString &text) {
        failure = text;
        loop.quit();
    });
    show();
    m_process->start();
    loop.exec();
    hide();
    return failure;
}
