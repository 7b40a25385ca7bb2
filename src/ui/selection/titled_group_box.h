#pragma once

#include <QGroupBox>

class QLabel;

// A group box whose title carries a coloured tab: the tab label sits over
// the title with its text over the title's own, so the title's outer
// characters ("|  ...  |") frame the tab.
class TitledGroupBox : public QGroupBox {
    Q_OBJECT

public:
    TitledGroupBox(const QString &title, const QString &tabText, const QString &tabName, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeTab();

    QLabel *m_tab;
};
