#pragma once

#include "ui/widgets/main_page.h"

class CurrentResult;
class Database;
class FilterPanel;
class QLabel;
class TableArea;

// The data page pgDados: the title bar pnlTituloDados with the chosen
// topic, the filter panel, and the table area beside the empty-state panel
// pnlSemDados. Its table area owns the query run and the current result.
class DataPage : public MainPage {
    Q_OBJECT

  public:
    explicit DataPage(Database &database, QWidget *parent = nullptr);

    FilterPanel &filters() { return *m_filters; }
    TableArea &table() { return *m_table; }
    const CurrentResult &result() const;

    // The chosen topic's text in the title bar; long titles in a smaller font.
    void setTitle(const QString &title);

    // Runs the topic with the filters in force, after the leave step of a
    // band edit the user is still in. The grouping list keeps the run's
    // total-row kind, also when the run ends in an error.
    void MontaDados(const QString &topic);

    // The table shows as it stands whenever the page comes into view or
    // goes out of it.
    void enter(const CurrentResult &) override {}
    void leave() override {}
    // Closes the territory lists, the value query and the result table.
    void clear() override;

  signals:
    // A run switches the window to the data section before it fills the table.
    void dataSectionRequested();

  private:
    QWidget *buildTitle();
    QWidget *buildFilters(Database &database);
    QWidget *buildTable(Database &database);

    QLabel *m_pnlTituloDados = nullptr;
    FilterPanel *m_filters = nullptr;
    TableArea *m_table = nullptr;
};
