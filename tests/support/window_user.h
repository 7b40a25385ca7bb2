#pragma once

#include "ui/app/main_frm.h"

#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class QWidget;
class TExportar_Frm;

// The main window driven as its user drives it: clicks in the topic tree,
// picks in the drop-down lists, the search button, clicks on figure titles
// and on the header's captions, and the export dialog filled in and sent.
class WindowUser {
  public:
    // Shows the window at a fixed size and waits until it is active.
    explicit WindowUser(TMain_Frm &window);

    template <class T = QWidget> T *find(const char *name) const;

    // Clicks the topic with this title, every topic of the tree opened.
    void chooseTopic(const QString &title);
    // Opens the drop-down list with this name and clicks the entry.
    void pick(const char *list, const QString &entry);
    static void pick(QComboBox *list, const QString &entry);
    // Clicks into the edit, types the text over what it held and leaves it
    // with Tab.
    void type(const char *edit, const QString &text);
    static void type(QLineEdit *edit, const QString &text);
    // Edits a cell of a grid as a user does: opens its editor, types the
    // text over what it held and presses Enter.
    static void typeInCell(QTableWidget *grid, int row, int column, const QString &text);
    void search();
    // Clicks a radio button on its mark and caption (a button laid out
    // wider than them takes no click beside them).
    static void choose(QRadioButton *item);
    // Clicks the title of the figure column with this full name.
    void markColumn(const QString &fullName);
    // Clicks a header control and returns the texts of the boxes it showed.
    QStringList click(const char *control);
    // The header's captions shown highlighted (bold, underlined, maroon), by name.
    static QStringList highlightedCaptions(const TMain_Frm &window);

    // What the export dialog showed and what came of sending it.
    struct Export {
        QString caption;
        QString workbookName; // the name proposed for the workbook
        QString fileName;     // the one for the text or JPEG file
        QStringList messages; // the boxes shown once it was sent
        bool shown = false;
    };
    // Clicks "Exportar" in the header; once the dialog shows, runs fill on
    // it, then clicks its "Exportar" and answers the boxes that follow. A
    // workbook written is then opened through the desktop, which the test
    // stands in for (UrlRecorder).
    Export exportThroughHeader(const std::function<void(TExportar_Frm &)> &fill);

    // Choices in the export dialog, as a user makes them.
    static void chooseFolder(TExportar_Frm &dialog, const QString &folder);
    // The text file (the JPEG file on the map and chart pages) instead of
    // the workbook, with the separator item given (0 ";", 1 ",", 2 tab).
    static void chooseTextFile(TExportar_Frm &dialog, int separatorItem = 0);

  private:
    TMain_Frm &m_window;
};

template <class T> T *WindowUser::find(const char *name) const { return m_window.findChild<T *>(QLatin1String(name)); }
