#include "png_side_by_side.h"

#include "process_cost.h"

#include "core/drawing/picture_bytes.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <vector>

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

QByteArray qtDefault(const QImage &picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace

void pngSideBySide(benchmark::State &state, const QImage &picture) {
    QTemporaryDir folder;
    const QString source = QDir(folder.path()).filePath(QStringLiteral("picture.ppm"));
    const QString written = QDir(folder.path()).filePath(QStringLiteral("picture.png"));
    if (picture.isNull() || !folder.isValid() || !picture.save(source, "PPM")) {
        state.SkipWithError("no picture to write");
        return;
    }
    const QString convert = QStringLiteral("convert");
    if (!runProcess(convert, {source, written}).ok) {
        state.SkipWithError("ImageMagick's convert did not run");
        return;
    }
    std::vector<double> ours, magick, qt;
    qint64 oursBytes = 0, qtBytes = 0;
    for (auto _ : state) {
        double start = threadCpuMs();
        oursBytes = PictureBytes::encode(picture, "PNG").size();
        ours.push_back(threadCpuMs() - start);
        state.SetIterationTime(ours.back() / 1e3);

        start = threadCpuMs();
        qtBytes = qtDefault(picture).size();
        qt.push_back(threadCpuMs() - start);

        const ProcessCost writing = runProcess(convert, {source, written});
        const ProcessCost nothing = runProcess(convert, {source, QStringLiteral("null:")});
        magick.push_back((writing.cpuSeconds - nothing.cpuSeconds) * 1e3);
    }
    state.counters["ours_ms"] = median(ours);
    state.counters["magick_ms"] = median(magick);
    state.counters["ratio"] = median(ours) / median(magick);
    state.counters["qt_default_ms"] = median(qt);
    state.counters["ours_KB"] = static_cast<double>(oursBytes) / 1024;
    state.counters["magick_KB"] = static_cast<double>(QFileInfo(written).size()) / 1024;
    state.counters["qt_default_KB"] = static_cast<double>(qtBytes) / 1024;
    state.counters["KB_vs_default"] = static_cast<double>(oursBytes) / static_cast<double>(qtBytes);
}
