#pragma once

#include <QString>

struct sqlite3;

// The reason the database engine gives for a failure, in words a user can act
// on: a file that is no database or is damaged, a locked file, a missing
// table or column, and the system's own failures (through SystemError) in
// Portuguese; any other in the engine's own text.
namespace EngineError {

// db may be null when the engine could not even allocate a connection.
QString text(sqlite3 *db, int resultCode);

} // namespace EngineError
