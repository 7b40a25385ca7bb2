#include "ui/selection/drop_down_style.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionComboBox>

DropDownStyle::DropDownStyle(bool flat)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_flat(flat) {
    // The application outlives every window; it frees the style.
    setParent(qApp);
}

// One plain and one flat style over each application style: a style set
// on the application (as -style does) applies to the lists made after it.
void DropDownStyle::apply(QComboBox *combo, bool flat) {
    static QHash<QString, QPointer<DropDownStyle>> styles;
    QPointer<DropDownStyle> &style =
        styles[QApplication::style()->name() + (flat ? QStringLiteral("/flat") : QString())];
    if (!style)
        style = new DropDownStyle(flat);
    combo->setStyle(style);
}

int DropDownStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                             QStyleHintReturn *returnData) const {
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void DropDownStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                       const QWidget *widget) const {
    const auto *box = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (!m_flat || control != CC_ComboBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    const QRect frame = box->rect.adjusted(0, 0, -1, -1);
    painter->fillRect(box->rect, box->palette.button());
    painter->setPen(box->palette.color(QPalette::Dark));
    painter->drawRect(frame);
    QStyleOption arrow = *box;
    arrow.rect = subControlRect(CC_ComboBox, box, SC_ComboBoxArrow, widget);
    drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    if (box->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*box);
        focus.rect = subElementRect(SE_ComboBoxFocusRect, box, widget);
        focus.backgroundColor = box->palette.button().color();
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
