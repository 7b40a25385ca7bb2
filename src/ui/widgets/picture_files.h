#pragma once

#include <QPixmap>
#include <QString>

// The windows' pictures are files the build draws into "Imagens" in the
// program's folder. A missing file gives an empty picture: the window still
// works, it only shows less.
namespace PictureFiles {

QPixmap load(const QString &name);

} // namespace PictureFiles
