#pragma once

#include <QString>

// The program's start-up: the study of the folder (the program's own, or the
// one given with --estudo), imported first when only its published Access
// file is there; then the splash while the main window builds, the main
// window maximised and the message loop. Returns the exit status: 0 after a
// normal close, 1 when no study can be opened (the user has been told which
// file and why).
namespace Startup {

int run(const QString &studyFolder = QString());

} // namespace Startup
