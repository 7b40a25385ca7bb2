#include "core/drawing/color_number.h"

#include <QGuiApplication>
#include <QPalette>

namespace ColorNumber {
namespace {

// The system colour indexes the windows use, and the palette role of each.
QColor systemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Base);         // window background
    case 8: return palette.color(QPalette::Text);         // window text
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button);      // button face and the rest
    }
}

} // namespace

QColor toColor(qint64 number) {
    const auto n = static_cast<quint32>(number);
    if ((n >> 24) == 0xFF)
        return systemColor(static_cast<int>(n & 0xFF));
    return QColor(static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF), static_cast<int>((n >> 16) & 0xFF));
}

qint64 fromColor(const QColor &color) {
    return color.red() + 256 * color.green() + 65536 * static_cast<qint64>(color.blue());
}

} // namespace ColorNumber
