#include "number_edit.h"

#include "data/format_float.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace {
const QString kDisplayFormat = QStringLiteral(",0;-,0");
}

NumberEdit::NumberEdit(QWidget *parent) : QLineEdit(parent) {
    // Twelve digits keep every value exact in the double the display
    // format takes.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,12}")), this));
    setAlignment(Qt::AlignRight);
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) { m_value = text.toLongLong(); });
    showFormatted();
}

void NumberEdit::setValue(qint64 value) {
    m_value = value;
    if (m_editing)
        setText(QString::number(m_value));
    else
        showFormatted();
}

void NumberEdit::focusInEvent(QFocusEvent *event) {
    if (!m_editing) {
        m_editing = true;
        setText(QString::number(m_value));
    }
    QLineEdit::focusInEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_editing = false;
    showFormatted();
    emit exited();
}

void NumberEdit::showFormatted() { setText(FormatFloat(kDisplayFormat, static_cast<double>(m_value))); }
