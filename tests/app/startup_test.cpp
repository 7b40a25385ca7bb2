#include "app/main_window_fixture.h"
#include "base/data/program_folder.h"
#include "support/fixture_database.h"
#include "support/modal_answerer.h"
#include "ui/app/main_frm.h"
#include "ui/app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int mainWindows() {
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<TMain_Frm *>(widget) != nullptr;
    return count;
}

// Points the program at a study folder for one test; the start-up records
// the study file it opened, so both go back to the build's study at the end
// and the tests that follow in the same process open that one.
class StudyFolder {
  public:
    explicit StudyFolder(const QString &folder) { ProgramFolder::setPath(folder); }
    ~StudyFolder() {
        ProgramFolder::setPath(QString());
        ProgramFolder::setStudyFile(QString());
    }
    StudyFolder(const StudyFolder &) = delete;
    StudyFolder &operator=(const StudyFolder &) = delete;
};

struct UnopenableCase {
    const char *name;
    QByteArray content; // empty: no file at all
    QString reason;
};

} // namespace

// A database that opens but lacks the topic table is named as no study, and
// the program stops the same way.
TEST(Startup, AStudyWithoutItsTopicTableIsNamedAsNoStudy) {
    FixtureDatabase db(QStringLiteral("create table Pais (Pais integer);"));
    const StudyFolder study(db.folder());
    ModalAnswerer answerer;
    EXPECT_EQ(Startup::run(), 1);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().first().contains(QStringLiteral("não é um estudo")))
        << answerer.messages().first().toStdString();
    EXPECT_EQ(mainWindows(), 0);
}

TEST(Startup, AnUnopenableStudyIsNamedWithItsReasonAndEndsWithStatusOne) {
    const UnopenableCase cases[] = {
        {"missing", {}, QStringLiteral("Nenhum estudo foi encontrado")},
        {"not a database", QByteArray("planilha antiga, não um banco de dados\n").repeated(200),
         QStringLiteral("o arquivo não é um banco de dados")},
    };
    for (const UnopenableCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        if (!c.content.isEmpty()) {
            QDir(folder.path()).mkpath(QStringLiteral("Dados"));
            QFile file(folder.filePath(QStringLiteral("Dados/Solvane.db")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        const StudyFolder study(folder.path());
        ModalAnswerer answerer;
        EXPECT_EQ(Startup::run(), 1);
        ASSERT_EQ(answerer.messages().size(), 1);
        const QString message = answerer.messages().first();
        EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("Dados/Solvane.db")))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        EXPECT_EQ(mainWindows(), 0);
    }
}

TEST(Startup, ShowsTheMainWindowMaximisedAndEndsWithStatusZeroWhenItCloses) {
    FixtureDatabase db(topicStudySql());
    const StudyFolder study(db.folder());
    bool shownMaximised = false;
    bool splashGone = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<TMain_Frm *>(widget);
            if (window && window->isVisible()) {
                shownMaximised = window->windowState().testFlag(Qt::WindowMaximized);
                const QWidgetList windows = QApplication::topLevelWidgets();
                splashGone = std::none_of(windows.begin(), windows.end(), [](QWidget *other) {
                    return other->objectName() == QLatin1String("Sobre_Frm");
                });
                window->close();
            }
        }
    });
    closer.start(20);
    EXPECT_EQ(Startup::run(), 0);
    EXPECT_TRUE(shownMaximised);
    EXPECT_TRUE(splashGone);
    EXPECT_EQ(mainWindows(), 0);
}
