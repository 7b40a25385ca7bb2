#pragma once

#include <QLabel>

// A caption turned 90 degrees, read from bottom to top, for the edges of a
// picture.
class RotatedLabel : public QLabel {
    Q_OBJECT

public:
    explicit RotatedLabel(const QString &caption, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};
