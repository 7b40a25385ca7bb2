#pragma once

#include <QString>

// Where the program writes for its user when the study's folder cannot be
// written (an installed program, a study on a read-only share): the user's
// own folders, the same whichever of the programs asks.
//   data      $XDG_DATA_HOME/Solvane (~/.local/share/Solvane): saved map
//             legends ("Mapas/Legendas/Lg….Ini") and imported studies
//             ("Estudos/…/Solvane.db");
//   exports   the documents folder + "/Solvane" (~/Documents/Solvane), the
//             export dialog's first folder.
namespace UserFolders {

// The user's data folder, ending with a '/'.
QString dataPath();

// The user's export folder, made when it is missing; empty when it cannot
// be made (no home folder).
QString exportFolder();

// Whether the program may create and replace files in the folder.
bool writable(const QString &folder);

} // namespace UserFolders
