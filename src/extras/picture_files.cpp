#include "picture_files.h"

#include "data/program_folder.h"

namespace PictureFiles {

QPixmap load(const QString &name) {
    return QPixmap(ProgramFolder::file(QStringLiteral("Imagens/") + name));
}

} // namespace PictureFiles
