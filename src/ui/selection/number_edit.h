#pragma once

#include <QLineEdit>

// An edit for a whole number. While the user is not typing in it, it shows
// its value with thousands separators (",0;-,0"); while the user types, the
// bare digits. Leaving the edit emits exited() (switching to another window
// or opening a pop-up is not leaving it). setValue() emits nothing.
class NumberEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberEdit(QWidget *parent = nullptr);

    qint64 value() const { return m_value; }
    void setValue(qint64 value);

    // Emits exited() now when the edit was entered or typed in since it last
    // did: whoever reads the value for a search calls this first, since the
    // control that starts the search may take no focus, so the edit is not
    // left before.
    void finishEditing();

    // Wide enough for the widest value the edit accepts, formatted.
    QSize sizeHint() const override;

signals:
    void exited();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showFormatted();

    qint64 m_value = 0;
    bool m_editing = false;
    bool m_exitPending = false;
};
