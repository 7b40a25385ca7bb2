#include "base/data/file_case.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A file asked for under the program's spelling is found in any letter
// case, its exact name first; a file in no case is named as asked.
TEST(FileCase, FindsAFileInAnyLetterCaseItsExactNameFirst) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("MAPAS/pais")));
    for (const char *name :
         {"MAPAS/pais/BRUF.BMP", "MAPAS/pais/bruf.txt", "MAPAS/pais/Lg_1.ini", "MAPAS/pais/LG_1.INI"}) {
        QFile file(root.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        const char *asked;
        const char *found; // nullptr: as asked
    } cases[] = {
        {"MAPAS/pais/BRUF.BMP", "MAPAS/pais/BRUF.BMP"},
        {"Mapas/Pais/BRUF.Bmp", "MAPAS/pais/BRUF.BMP"},
        {"mapas/PAIS/Bruf.Txt", "MAPAS/pais/bruf.txt"},
        // Two files differ only in case: the exact one, else the first by name.
        {"MAPAS/pais/Lg_1.ini", "MAPAS/pais/Lg_1.ini"},
        {"Mapas/Pais/lg_1.Ini", "MAPAS/pais/LG_1.INI"},
        {"Mapas/Pais/BRREGIAO.Bmp", nullptr},
        {"Mapas/Municipio/BRUF.Bmp", nullptr},
    };
    for (const auto &c : cases) {
        const QString asked = root.filePath(QLatin1String(c.asked));
        EXPECT_EQ(FileCase::find(asked), c.found ? root.filePath(QLatin1String(c.found)) : asked) << c.asked;
    }
}
