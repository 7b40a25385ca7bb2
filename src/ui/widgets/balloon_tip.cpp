#include "ui/widgets/balloon_tip.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QToolTip>

namespace {

constexpr int kRadius = 6;
constexpr int kTail = 10;      // height of the tail
constexpr int kTailWidth = 12; // width of the tail at its base
constexpr int kTailInset = 14; // from the body's edge to the tail's point
constexpr int kPadding = 6;
constexpr int kMaxTextWidth = 420;

QRect textBounds(const QFont &font, const QString &text) {
    return QFontMetrics(font).boundingRect(QRect(0, 0, kMaxTextWidth, 4000), Qt::AlignLeft | Qt::TextWordWrap, text);
}

// Routes QEvent::ToolTip to the balloon: a control's own tip, or the tip of
// the item under the mouse in an item view.
class ToolTipRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        const auto *help = static_cast<QHelpEvent *>(event);
        QString text = widget->toolTip();
        if (auto *view = qobject_cast<QAbstractItemView *>(widget->parentWidget());
            view && view->viewport() == widget && text.isEmpty())
            text = view->indexAt(help->pos()).data(Qt::ToolTipRole).toString();
        if (text.isEmpty()) {
            BalloonTip::hideText();
            return false;
        }
        BalloonTip::showText(help->globalPos(), text, widget);
        return true;
    }
};

QPointer<BalloonTip> &shown() {
    static QPointer<BalloonTip> balloon;
    return balloon;
}

} // namespace

void BalloonTip::install() {
    static ToolTipRouter *router = nullptr;
    if (!router) {
        router = new ToolTipRouter(qApp);
        qApp->installEventFilter(router);
    }
}

BalloonTip *BalloonTip::current() { return shown(); }

void BalloonTip::showText(const QPoint &globalPos, const QString &text, QWidget *owner) {
    if (!shown())
        shown() = new BalloonTip;
    shown()->place(globalPos, text, owner);
}

void BalloonTip::hideText() {
    if (shown())
        shown()->deleteLater();
    shown() = nullptr;
}

BalloonTip::BalloonTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("BalloonTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QToolTip::font());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &BalloonTip::hideText);
    qApp->installEventFilter(this);
}

void BalloonTip::place(const QPoint &globalPos, const QString &text, QWidget *owner) {
    m_text = text;
    m_owner = owner;
    const QRect bounds = textBounds(font(), text);
    const QSize body(bounds.width() + 2 * kPadding, bounds.height() + 2 * kPadding);
    const QSize whole(body.width() + kShadow, body.height() + kTail + kShadow);

    const QScreen *screen = QGuiApplication::screenAt(globalPos);
    const QRect area = screen ? screen->availableGeometry() : QRect(globalPos - QPoint(2000, 2000), QSize(4000, 4000));
    // The tail points just below the mouse; near the bottom of the screen
    // the balloon goes above it instead.
    const QPoint point = globalPos + QPoint(0, 18);
    m_tailOnTop = point.y() + whole.height() <= area.bottom();
    int left = qBound(area.left(), point.x() - kTailInset, qMax(area.left(), area.right() - whole.width()));
    const int top = m_tailOnTop ? point.y() : globalPos.y() - 4 - whole.height();
    m_tailX = qBound(kRadius + kTailWidth / 2, globalPos.x() - left, body.width() - kRadius - kTailWidth / 2);
    m_body = QRect(QPoint(0, m_tailOnTop ? kTail : 0), body);

    setGeometry(left, top, whole.width(), whole.height());
    const QPainterPath shape = outline();
    setMask(QRegion(shape.toFillPolygon().toPolygon()).united(QRegion(shape.translated(kShadow, kShadow).toFillPolygon().toPolygon())));
    update();
    show();
    raise();
    m_timer.start(kDisplayMilliseconds);
}

QPainterPath BalloonTip::outline() const {
    QPainterPath body;
    body.addRoundedRect(QRectF(m_body).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    QPainterPath tail;
    const qreal base = m_tailOnTop ? m_body.top() + 1 : m_body.bottom();
    const qreal tip = m_tailOnTop ? 0 : m_body.bottom() + kTail;
    tail.moveTo(m_tailX - kTailWidth / 2.0, base);
    tail.lineTo(m_tailX - kTailWidth / 2.0 + 2, tip);
    tail.lineTo(m_tailX + kTailWidth / 2.0, base);
    tail.closeSubpath();
    return body.united(tail);
}

void BalloonTip::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = outline();
    painter.fillPath(shape.translated(kShadow, kShadow), QColor(0, 0, 0, 90));
    const QPalette colours = QToolTip::palette();
    painter.fillPath(shape, colours.color(QPalette::ToolTipBase));
    painter.setPen(QPen(colours.color(QPalette::ToolTipText), 1));
    painter.drawPath(shape);
    painter.drawText(m_body.adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::AlignLeft | Qt::TextWordWrap, m_text);
}

bool BalloonTip::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_owner)
            hideText();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        hideText();
        break;
    default:
        break;
    }
    return false;
}
