#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The tour of the windows the help's pictures show: the main window on a
// copy of the sample study, driven as its user drives it (the window tests'
// WindowUser) from one task's state to the next. At each state the widget
// the task's picture shows is handed to a visitor with the picture's file
// name; a dialog is visited while it runs, then closed.
namespace HelpTour {

using Visit = std::function<void(const QString &picture, QWidget &shown)>;

// The pictures' file names, in the order the tour visits them.
QStringList pictures();

// Walks the tour. A step that fails is reported through GoogleTest's
// failure mechanism, as in the window tests; false when the study copy
// could not be made.
bool walk(const Visit &visit);

} // namespace HelpTour
