#include "base/data/app_error.h"
#include "core/export/export_grid.h"
#include "core/export/varnik_export.h"
#include "ui/export/tw_wait.h"

#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What the please-wait window showed while the export asked its owner for a
// further grid, the one moment in the middle of a fill a test can look in.
struct WatchingOwner : TVarnikExport::Owner {
    explicit WatchingOwner(const TwWait &wait) : m_wait(wait) {}
    const ExportGrid *grid(const QString &name) const override {
        shown = m_wait.isVisible();
        text = m_wait.findChild<QLabel *>(QStringLiteral("vDisplay"))->text();
        height = m_wait.height();
        if (name == QLatin1String("falha"))
            throw AppError(QStringLiteral("falha no meio da exportação"));
        return nullptr;
    }
    std::optional<QImage> chart(const QString &) const override { return std::nullopt; }

    const TwWait &m_wait;
    mutable bool shown = false;
    mutable QString text;
    mutable int height = 0;
};

TEST(TwWaitTest, ExibeMensagemShowsTheTextAndAnEmptyTextHidesTheWindow) {
    TwWait wait;
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Aguarde..."));
    EXPECT_EQ(wait.size(), QSize(286, 45));
    auto *vDisplay = wait.findChild<QLabel *>(QStringLiteral("vDisplay"));
    ASSERT_NE(vDisplay, nullptr);
    EXPECT_TRUE(vDisplay->font().bold());
    EXPECT_TRUE(vDisplay->wordWrap());

    wait.ExibeMensagem(QStringLiteral("Exportando dados para o Microsoft Excel..."));
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(vDisplay->text(), QStringLiteral("Exportando dados para o Microsoft Excel..."));
    EXPECT_GE(vDisplay->y(), 12); // under the empty band at the top
    wait.ExibeMensagem(QString());
    EXPECT_FALSE(wait.isVisible());
}

TEST(TwWaitTest, ShowsDuringTheExportAndClosesAfterItAlsoAfterAFailure) {
    QTemporaryDir dir;
    const struct {
        const char *grid, *hint;
        bool fails;
    } cases[] = {
        {"outra", "planilha.xlsx", false},   // completes
        {"outra", "falta/planilha.xlsx", true}, // the file cannot be written
        {"falha", "planilha.xlsx", true},    // an error in the middle of the fill
    };
    for (const auto &c : cases) {
        TwWait wait;
        WatchingOwner owner(wait);
        TVarnikExport exporter(&owner, &wait);
        exporter.GridsAdicionais = {QLatin1String(c.grid)};
        exporter.Hint = dir.filePath(QLatin1String(c.hint));
        bool failed = false;
        try {
            exporter.Exporta();
        } catch (const AppError &) {
            failed = true;
        }
        EXPECT_EQ(failed, c.fails) << c.hint;
        EXPECT_TRUE(owner.shown) << c.grid;
        EXPECT_EQ(owner.text, QStringLiteral("Exportando dados para o Microsoft Excel..."));
        EXPECT_EQ(owner.height, 80);
        EXPECT_FALSE(wait.isVisible()) << c.grid << " " << c.hint;
    }
}

} // namespace
