#pragma once

#include "base/data/app_error.h"
#include "base/data/system_error.h"

#include <QString>

#include <cerrno>
#include <new>

// One step of a command-line output, composing or writing it: memory that
// runs short is named with the output and its file (what the output is:
// "o mapa"), so the message says which file was not written.
namespace OutputStep {

template <typename Step> auto run(const QString &what, const QString &path, Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const std::bad_alloc &) {
        throw AppError(
            QStringLiteral("Não foi possível compor %1 \"%2\": %3").arg(what, path, SystemError::text(ENOMEM)));
    }
}

} // namespace OutputStep
