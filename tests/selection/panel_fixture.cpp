#include "panel_fixture.h"

#include "base/data/query.h"
#include "support/modal_answerer.h"
#include "support/study_fixture.h"
#include "support/window_user.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

QString selectionStudySql() {
    return studyFixtureSql() + QStringLiteral(R"SQL(
insert into Micro_Regiao values (1, 2, 26, 26002, 'PET', 'Petrolina');
insert into Municipio values (2611101, 'PE', 'Petrolina', 200000, 2, 26, 26002, 0);
)SQL");
}

QStringList entries(const QComboBox *combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void pick(QComboBox *combo, const QString &text) { WindowUser::pick(combo, text); }

void typeAndLeave(NumberEdit *edit, const QString &text) { WindowUser::type(edit, text); }

void toggle(TSel_Municipio_Frm &picker, const QString &name) {
    auto *list = picker.findChild<QListWidget *>(QStringLiteral("clbSelMunicipio"));
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    QTest::keyClick(list, Qt::Key_Space);
}

void confirm(TSel_Municipio_Frm &picker) {
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
}

void PanelTest::SetUp() {
    db.setPath(fixture.path());
    db.setConnected(true);
    panel = new FilterPanel(db, &window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(panel);
    picker = new TSel_Municipio_Frm(db, &window);
    panel->setSelMunicipio([this] { return picker; });
    panel->openLists();
    window.resize(900, 140);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void PanelTest::TearDown() {
    picker->closeQueries();
    panel->closeQueries();
}

void PanelTest::openPicker(const std::function<void(TSel_Municipio_Frm &)> &whileOpen) {
    bool opened = false;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (opened || modal != picker)
            return;
        opened = true;
        whileOpen(*picker);
    });
    auto *button = control<QPushButton>("btnMunicipio");
    if (button->isHidden())
        button = control<QPushButton>("btnMunicipioCheck");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(picker->isVisible());
}
