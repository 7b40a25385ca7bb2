#pragma once

#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The application's tool-tips: a rounded balloon with a tail pointing at the
// mouse and a 3-pixel shadow, its text left-aligned on the tool-tip colour,
// shown for 25 seconds or until the mouse leaves the control, a key is
// pressed or a button clicked.
class BalloonTip : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDisplayMilliseconds = 25000;
    static constexpr int kShadow = 3;

    // Routes every tool-tip of the application to the balloon.
    static void install();

    static void showText(const QPoint &globalPos, const QString &text, QWidget *owner);
    static void hideText();
    // The balloon on screen, if any.
    static BalloonTip *current();

    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    BalloonTip();
    void place(const QPoint &globalPos, const QString &text, QWidget *owner);
    QPainterPath outline() const;

    QString m_text;
    QPointer<QWidget> m_owner;
    QRect m_body;
    bool m_tailOnTop = true;
    int m_tailX = 0;
    QTimer m_timer;
};
