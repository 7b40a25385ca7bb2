#include "ui/widgets/whole_lines_box.h"

#include <QLabel>
#include <QMessageBox>

namespace WholeLinesBox {

void information(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Solvane"), text, QMessageBox::Ok, parent);
    // The box sizes its text to the label's minimum width before it wraps
    // it; a minimum as wide as the longest line leaves nothing to wrap.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        label->ensurePolished();
        int widest = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(widest + label->contentsMargins().left() + label->contentsMargins().right() + 1);
    }
    box.exec();
}

} // namespace WholeLinesBox
