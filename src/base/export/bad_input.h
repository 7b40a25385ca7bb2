#pragma once

#include "base/data/app_error.h"

// Input a command cannot run with (an unknown option, a value out of form,
// a topic that is not a table); its text is the one-line message. It is an
// AppError of its own kind, so that a caller can tell the user's mistake
// from a failure of the study or the disk.
class BadInput : public AppError {
  public:
    using AppError::AppError;
};
