#include "support/window_user.h"

#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "support/modal_answerer.h"
#include "ui/export/exportar_frm.h"
#include "ui/table/data_grid.h"
#include "ui/table/group_header_view.h"
#include "ui/table/result_table_model.h"
#include "ui/widgets/radio_group.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

WindowUser::WindowUser(TMain_Frm &window) : m_window(window) {
    m_window.resize(1024, 768);
    m_window.show();
    m_window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
}

void WindowUser::chooseTopic(const QString &title) {
    auto *tree = find<QTreeWidget>("tvOpcoes");
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        tree->expandItem(*it);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0) != title)
            continue;
        tree->scrollToItem(*it);
        const QRect rect = tree->visualItemRect(*it);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        return;
    }
    ADD_FAILURE() << "no topic " << title.toStdString();
}

void WindowUser::pick(const char *list, const QString &entry) {
    auto *combo = find<QComboBox>(list);
    ASSERT_NE(combo, nullptr) << list;
    pick(combo, entry);
}

void WindowUser::pick(QComboBox *list, const QString &entry) {
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    ASSERT_TRUE(list->isEnabled()) << list->objectName().toStdString();
    list->showPopup();
    QAbstractItemView *view = list->view();
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    ASSERT_FALSE(view->isVisible()) << "the drop-down stayed open";
}

void WindowUser::type(const char *edit, const QString &text) {
    auto *box = find<QLineEdit>(edit);
    ASSERT_NE(box, nullptr) << edit;
    type(box, text);
}

void WindowUser::type(QLineEdit *edit, const QString &text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_TRUE(edit->hasFocus()) << edit->objectName().toStdString();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_FALSE(edit->hasFocus()) << edit->objectName().toStdString();
}

void WindowUser::typeInCell(QTableWidget *grid, int row, int column, const QString &text) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    QLineEdit *editor = nullptr;
    for (QLineEdit *open : grid->viewport()->findChildren<QLineEdit *>())
        if (open->isVisible())
            editor = open;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // What the event loop does next: the delegate commits and closes the
    // editor through a queued call, then the editor is deleted.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WindowUser::choose(QRadioButton *item) {
    QTest::mouseClick(item, Qt::LeftButton, {}, QRect(QPoint(), item->sizeHint()).center());
    ASSERT_TRUE(item->isChecked()) << item->text().toStdString();
}

void WindowUser::search() { QTest::mouseClick(find("btnPesquisar"), Qt::LeftButton); }

void WindowUser::markColumn(const QString &fullName) {
    auto *grid = find<DataGrid>("dbgDados");
    ASSERT_TRUE(grid && grid->tableModel());
    const ResultTableModel *model = grid->tableModel();
    const int column = model->columnOfField(model->table().findField(fullName));
    ASSERT_GE(column, 0) << fullName.toStdString();
    grid->scrollTo(model->index(0, column));
    GroupHeaderView *titles = grid->titles();
    const int x = titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2;
    // The bottom of the title: above it a nested field's group has its own.
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, QPoint(x, titles->height() - 4));
    ASSERT_EQ(m_window.currentResult().FCampoPercentual(), fullName);
}

QStringList WindowUser::click(const char *control) {
    ModalAnswerer answerer;
    QTest::mouseClick(find(control), Qt::LeftButton);
    return answerer.messages();
}

QStringList WindowUser::highlightedCaptions(const TMain_Frm &window) {
    QStringList names;
    for (const char *name :
         {"lblDados", "lblMapa", "lblGrafico", "lblImprimir", "lblExportar", "lblAjuda", "lblSobre", "lblSair"}) {
        const auto *caption = window.findChild<QLabel *>(QLatin1String(name));
        if (caption && caption->font().bold() && caption->font().underline() &&
            caption->palette().color(QPalette::WindowText) == QColor(128, 0, 0))
            names << QLatin1String(name);
    }
    return names;
}

WindowUser::Export WindowUser::exportThroughHeader(const std::function<void(TExportar_Frm &)> &fill) {
    Export result;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<TExportar_Frm *>(modal);
        if (!dialog) {
            ADD_FAILURE() << "unexpected window " << modal->objectName().toStdString();
            modal->close();
            return;
        }
        if (result.shown)
            return;
        result.shown = true;
        result.caption = dialog->windowTitle();
        result.workbookName = dialog->findChild<QLineEdit *>(QStringLiteral("medArqExcel"))->text();
        result.fileName = dialog->findChild<QLineEdit *>(QStringLiteral("medArqTexto"))->text();
        fill(*dialog);
        // The boxes that follow open while this answer runs, so they take
        // an answerer of their own.
        ModalAnswerer boxes;
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QStringLiteral("btnExportar")), Qt::LeftButton);
        result.messages = boxes.messages();
    });
    QTest::mouseClick(find("lblExportar"), Qt::LeftButton);
    result.messages += answerer.messages();
    return result;
}

void WindowUser::chooseFolder(TExportar_Frm &dialog, const QString &folder) {
    auto *folders = dialog.findChild<QTreeView *>(QStringLiteral("dlbExportar"));
    const auto *model = static_cast<QFileSystemModel *>(folders->model());
    folders->setCurrentIndex(model->index(folder));
}

void WindowUser::chooseTextFile(TExportar_Frm &dialog, int separatorItem) {
    choose(dialog.findChild<QRadioButton *>(QStringLiteral("rbArqTexto")));
    auto *separators = dialog.findChild<RadioGroup *>(QStringLiteral("rgSepColuna"));
    if (separators->isVisible())
        choose(separators->button(separatorItem));
}
