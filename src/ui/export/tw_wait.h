#pragma once

#include "core/export/varnik_export.h"

#include <QWidget>

class QLabel;

// The please-wait window of the workbook export: a small window always on
// top, centred on the screen, with one centred bold message. It also shows
// the export's error boxes about chart pictures.
class TwWait : public QWidget, public TVarnikExport::Feedback {
    Q_OBJECT

  public:
    explicit TwWait(QWidget *parent = nullptr);

    // Shows the text and the window, or hides the window when the text is
    // empty; repainted at once, since the export blocks the event loop.
    void ExibeMensagem(const QString &text) override;
    void setWaitHeight(int pixels) override;
    void showError(const QString &text) override;

  private:
    QLabel *vDisplay;
};
