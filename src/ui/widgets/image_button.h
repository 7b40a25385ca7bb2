#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A flat button that is only its picture: the normal picture at rest and the
// pressed one while the mouse holds it down. Shows a hand cursor.
class ImageButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &pressed);
    const QPixmap &normalPicture() const { return m_normal; }
    const QPixmap &pressedPicture() const { return m_pressed; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressed;
};
