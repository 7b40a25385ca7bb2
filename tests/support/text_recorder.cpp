#include "text_recorder.h"

#include <QPaintEngine>
#include <QPainterPath>

namespace {

class RecordingEngine : public QPaintEngine {
  public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &, const QTextItem &textItem) override { m_texts << textItem.text(); }
    Type type() const override { return QPaintEngine::User; }

    QStringList m_texts;
};

} // namespace

TextRecorder::TextRecorder(QSize size) : m_size(size), m_engine(std::make_unique<RecordingEngine>()) {}

TextRecorder::~TextRecorder() = default;

QStringList TextRecorder::texts() const { return static_cast<RecordingEngine *>(m_engine.get())->m_texts; }

QPaintEngine *TextRecorder::paintEngine() const { return m_engine.get(); }

int TextRecorder::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return m_size.width() * 254 / 960;
    case PdmHeightMM:
        return m_size.height() * 254 / 960;
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
