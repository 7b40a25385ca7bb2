#pragma once

class QWidget;

namespace WindowPlacement {

// Moves a top-level window, frame included, to the middle of the screen.
void centerOnScreen(QWidget &window);

} // namespace WindowPlacement
