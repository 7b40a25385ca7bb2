#pragma once

#include <QPaintDevice>
#include <QSize>
#include <QStringList>
#include <memory>

class QPaintEngine;

// A paint device that keeps the texts painted on it, in painting order, and
// draws nothing: a widget rendered into it shows what a user would read.
class TextRecorder : public QPaintDevice {
  public:
    explicit TextRecorder(QSize size);
    ~TextRecorder() override;

    QStringList texts() const;
    QPaintEngine *paintEngine() const override;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize m_size;
    std::unique_ptr<QPaintEngine> m_engine;
};
