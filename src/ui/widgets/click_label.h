#pragma once

#include <QLabel>

// A caption that acts like a link: a click on it, or its Alt+letter
// accelerator (the '&' in the caption), emits clicked(). Setting its text in
// code emits nothing.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(const QString &caption, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
