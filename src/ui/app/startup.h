#pragma once

// The program's start-up: the splash while the main window builds, then the
// main window maximised and the message loop. Returns the exit status: 0
// after a normal close, 1 when the study database cannot be opened (the user
// has been told which file and why).
namespace Startup {

int run();

} // namespace Startup
