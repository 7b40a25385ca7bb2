// Takes the help's pictures of the program's windows: walks the tour of the
// windows offscreen on a copy of the sample study and writes each state's
// picture as a PNG file in a palette (HelpPicture).
// Usage: solvane-help-pictures PASTA
#include "base/data/safe_file.h"
#include "core/drawing/picture_bytes.h"
#include "pictures/help_picture.h"
#include "pictures/help_tour.h"
#include "support/test_environment.h"
#include "ui/app/solvane_application.h"

#include <QDir>
#include <QTextStream>
#include <QWidget>
#include <gtest/gtest.h>


int main(int argc, char **argv) {
    prepareTestEnvironment();
    SolvaneApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "Uso: solvane-help-pictures PASTA\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "Não foi possível criar a pasta " << folder.path() << "\n";
        return 1;
    }
    qint64 total = 0;
    const bool walked = HelpTour::walk([&](const QString &name, QWidget &shown) {
        try {
            const QByteArray png = PictureBytes::encode(HelpPicture::paletted(shown.grab().toImage()), "PNG");
            SafeFile::write(folder.filePath(name), png);
            total += png.size();
        } catch (const std::exception &error) {
            ADD_FAILURE() << name.toStdString() << ": " << error.what();
        }
    });
    if (!walked || testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed()) {
        err << "Não foi possível tirar as figuras da ajuda.\n";
        return 1;
    }
    err << HelpTour::pictures().size() << " figuras da ajuda, " << total / 1024 << " KB\n";
    return 0;
}
