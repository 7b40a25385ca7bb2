#pragma once

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <new>

// Drawing on a vector device (an SVG generator, a PDF writer) into memory.
namespace VectorDevice {

// Draws with draw on the device and ends the drawing, which writes the
// device's file into its buffer. Qt's painting is built without exceptions:
// one for want of memory leaves the painter and the device half way, and
// ending them again (their destructors do) throws from a destructor, which
// aborts the program. So on failure they are let go of, never ended again,
// and the failure goes on to the caller. (The device writes into a buffer
// in memory: an end that fails can only be for want of memory.)
template <typename Device>
void drawAndEnd(std::unique_ptr<Device> device, const std::function<void(QPainter &)> &draw) {
    auto painter = std::make_unique<QPainter>(device.get());
    try {
        draw(*painter);
        if (!painter->end())
            throw std::bad_alloc();
    } catch (...) {
        painter.release();
        device.release();
        throw;
    }
}

// A PDF of one page the picture's size, at 72 dots per inch so that a
// pixel of the picture is a point of the page; its texts stay texts.
QByteArray pdf(const QSize &size, const QString &title, const std::function<void(QPainter &)> &draw);

} // namespace VectorDevice
