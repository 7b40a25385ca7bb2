#pragma once

class QString;
class QWidget;

// An information box whose text keeps each of its lines whole: the box
// grows to its longest line instead of breaking it, as a message box does
// with a line longer than half the screen, so a message laid out in lines
// reads as it was written.
namespace WholeLinesBox {

void information(QWidget *parent, const QString &text);

} // namespace WholeLinesBox
