#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop while it lives: every address handed to the
// shell's open action is recorded instead of opened.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlRecorder() override {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};
