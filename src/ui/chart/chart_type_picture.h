#pragma once

#include <QPixmap>
#include <QWidget>

// One of the chart page's type pictures: opaque (on a white ground) when it
// is the chosen type, transparent (the panel shows around the drawing)
// otherwise. Its tag is the series it stands for. A click emits clicked().
class ChartTypePicture : public QWidget {
    Q_OBJECT

public:
    ChartTypePicture(const QString &name, const QPixmap &picture, int tag, QWidget *parent = nullptr);

    int tag() const { return m_tag; }
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    int m_tag;
    bool m_opaque = false;
};
