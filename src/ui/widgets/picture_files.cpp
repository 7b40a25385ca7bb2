#include "ui/widgets/picture_files.h"

#include "base/data/program_folder.h"

namespace PictureFiles {

QPixmap load(const QString &name) {
    return QPixmap(ProgramFolder::file(QStringLiteral("Imagens/") + name));
}

} // namespace PictureFiles
