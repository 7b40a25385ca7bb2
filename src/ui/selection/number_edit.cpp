#include "ui/selection/number_edit.h"

#include "base/data/format_float.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <QStyleOptionFrame>

namespace {
const QString kDisplayFormat = QStringLiteral(",0;-,0");
// Nine digits hold any population and keep the formatted value short
// enough to show whole in the edit.
const qint64 kWidestValue = -999999999;
// QLineEdit keeps this margin inside its frame on either side of the text.
constexpr int kTextMargin = 2;
} // namespace

NumberEdit::NumberEdit(QWidget *parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,9}")), this));
    setAlignment(Qt::AlignRight);
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_value = text.toLongLong();
        m_exitPending = true;
    });
    showFormatted();
}

void NumberEdit::setValue(qint64 value) {
    m_value = value;
    if (m_editing)
        setText(QString::number(m_value));
    else
        showFormatted();
}

void NumberEdit::finishEditing() {
    if (!m_exitPending)
        return;
    m_exitPending = false;
    emit exited();
}

QSize NumberEdit::sizeHint() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    const QString widest = FormatFloat(kDisplayFormat, static_cast<double>(kWidestValue));
    const QSize text(fontMetrics().horizontalAdvance(widest) + 2 * kTextMargin + margins.left() + margins.right(),
                     fontMetrics().height());
    const int width = style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, this).width();
    return QSize(width, QLineEdit::sizeHint().height());
}

void NumberEdit::focusInEvent(QFocusEvent *event) {
    if (!m_editing) {
        m_editing = true;
        setText(QString::number(m_value));
    }
    m_exitPending = true;
    QLineEdit::focusInEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_editing = false;
    showFormatted();
    finishEditing();
}

void NumberEdit::showFormatted() { setText(FormatFloat(kDisplayFormat, static_cast<double>(m_value))); }
