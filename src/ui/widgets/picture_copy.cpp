#include "ui/widgets/picture_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QShortcut>
#include <QWidget>

namespace PictureCopy {

void install(QWidget *page, std::function<QImage()> picture) {
    auto *copy = new QShortcut(QKeySequence(QKeySequence::Copy), page);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QShortcut::activated, page, [picture = std::move(picture)] {
        const QImage image = picture();
        if (!image.isNull())
            QApplication::clipboard()->setImage(image);
    });
}

} // namespace PictureCopy
