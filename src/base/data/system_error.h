#pragma once

#include <QString>

// The reason a system call failed, in words a user can act on: the common
// failures (a missing file, no permission, a full disk, a folder where a file
// was expected, a name too long, a read-only disk, no memory, a program that
// cannot be run) in Portuguese, any other in the system's own text.
namespace SystemError {

QString text(int errorNumber);

} // namespace SystemError
