#include "core/drawing/windows_fonts.h"

#include <QGuiApplication>
#include <QHash>
#include <QStringList>

namespace WindowsFonts {
namespace {

struct StandIn {
    QStringList families; // first installed one wins
    QFont::Weight weight = QFont::Normal;
};

// Liberation is metric-compatible with Arial and Times New Roman; Roboto
// Condensed Bold comes closest to Impact's tall, heavy, narrow letters; the
// dialog faces become DejaVu Sans.
const QHash<QString, StandIn> &table() {
    static const QHash<QString, StandIn> standIns = {
        {QStringLiteral("impact"), {{QStringLiteral("Roboto Condensed"), QStringLiteral("DejaVu Sans Condensed")}, QFont::Bold}},
        {QStringLiteral("arial black"), {{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, QFont::Black}},
        {QStringLiteral("arial"), {{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}}},
        {QStringLiteral("times new roman"), {{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")}}},
        {QStringLiteral("ms serif"), {{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")}}},
        {QStringLiteral("small fonts"), {{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")}}},
        {QStringLiteral("tahoma"), {{QStringLiteral("DejaVu Sans")}}},
        {QStringLiteral("ms sans serif"), {{QStringLiteral("DejaVu Sans")}}},
    };
    return standIns;
}

QFont standIn(const QString &windowsFamily) {
    const auto &standIns = table();
    const auto it = standIns.constFind(windowsFamily.toLower());
    const StandIn &chosen = it != standIns.constEnd() ? *it : standIns[QStringLiteral("ms sans serif")];
    QFont font;
    font.setFamilies(chosen.families);
    font.setWeight(chosen.weight);
    return font;
}

} // namespace

QFont pixelFont(const QString &windowsFamily, int pixelSize) {
    QFont font = standIn(windowsFamily);
    font.setPixelSize(pixelSize);
    return font;
}

QFont pointFont(const QString &windowsFamily, int pointSize) {
    QFont font = standIn(windowsFamily);
    font.setPointSize(pointSize);
    return font;
}

void installApplicationFont() {
    QGuiApplication::setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
}

} // namespace WindowsFonts
