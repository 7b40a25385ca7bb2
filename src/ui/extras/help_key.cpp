#include "ui/extras/help_key.h"

#include "ui/extras/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {
const struct {
    const char *window;
    const char *section;
} kSections[] = {
    {"Exportar_Frm", "dialogo-exportar"},  {"Sel_Municipio_Frm", "dialogo-municipios"},
    {"Arquivos_Anexos_Frm", "dialogo-anexos"}, {"Sobre_Frm", "janela-sobre"},
    {"dlgImprimir", "janela-imprimir"},
};
} // namespace

void HelpKey::install() {
    static HelpKey *filter = nullptr;
    if (filter)
        return;
    filter = new HelpKey(qApp);
    qApp->installEventFilter(filter);
}

QString HelpKey::sectionOf(const QWidget &modal) {
    if (qobject_cast<const QMessageBox *>(&modal))
        return QStringLiteral("mensagens");
    for (const auto &entry : kSections)
        if (modal.objectName() == QLatin1String(entry.window))
            return QLatin1String(entry.section);
    return HelpWindow::anchorOf(1);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent *>(event)->modifiers() != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return QObject::eventFilter(watched, event);
    HelpWindow::showSection(sectionOf(*modal), modal);
    return true;
}
