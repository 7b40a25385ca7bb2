#pragma once

#include <QObject>

// Keeps every tool-tip of the application up for a long time (25 seconds)
// so that the longer hints can be read to the end.
class ToolTipTiming : public QObject {
public:
    static constexpr int kDisplayMilliseconds = 25000;

    // Installs one filter on the application.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
