#include "ascii_map.h"
#include "support/modal_answerer.h"
#include "ui/map/varnik_mapa.h"

#include <QInputDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

using AsciiMap::colorOf;

namespace {

// Two areas over a band of lettering: "Norte" with lettering inside, and
// "Sul" below it; the list tops every column of both.
const QStringList kMap = {
    "xxxxxxxxxx", "##########", "#........#", "#..xx....#", "#........#",
    "##########", "#...#....#", "#...#....#", "##########",
};

const QStringList kAreas = {
    "Norte=(1/2),(2/2),(3/2),(4/2),(5/2),(6/2),(7/2),(8/2)",
    "Sul=(1/6),(2/6),(3/6),(5/6),(6/6),(7/6),(8/6)",
};

const QString kPreset = QStringLiteral("< Informe o Nome da Área do Mapa >");

// Shown at the top left of the screen, so positions in the widget are
// positions in the picture.
struct ShownMap {
    ShownMap() {
        map.setPicture(AsciiMap::draw(kMap));
        map.SetVKAreasMapa(kAreas);
        map.resize(40, 30);
        map.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&map));
    }
    // A move to the point the pointer is already on is not delivered, so
    // the pointer comes from a neighbour.
    void hover(QPoint pos) {
        QTest::mouseMove(map.windowHandle(), pos + QPoint(1, 1));
        QTest::mouseMove(map.windowHandle(), pos);
    }
    void click(QPoint pos) {
        hover(pos);
        QTest::mouseClick(&map, Qt::LeftButton, {}, pos);
    }
    TVarnikMapa map;
};

// Answers the name dialog: checks its texts, records what the map showed
// meanwhile, then types the answer and accepts, or cancels.
struct NameAnswer {
    explicit NameAnswer(std::optional<QString> answer) : typed(std::move(answer)) {}

    std::optional<QString> typed; // nothing: cancel
    QStringList shownWhileAsked;
    QString title, prompt, preset;

    ModalAnswerer::Handler handler(const TVarnikMapa &map) {
        return [this, &map](QWidget *widget) {
            auto *dialog = qobject_cast<QInputDialog *>(widget);
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            prompt = dialog->labelText();
            preset = dialog->textValue();
            shownWhileAsked = AsciiMap::read(map.picture());
            if (typed) {
                dialog->setTextValue(*typed);
                dialog->accept();
            } else {
                dialog->reject();
            }
        };
    }
};

} // namespace

// The settings a form gives by their published names reach what the map
// does: the area list and the label name the area under the pointer, and a
// border trace follows the border colour set, painting in the selection
// colour set. A map whose borders are not black is traced only with its own
// border colour.
TEST(VarnikMapa, SettingsByTheirPublishedNamesTakeEffect) {
    const QStringList blueBorders = {"cccccc", "c....c", "c....c", "cccccc"};
    ShownMap shown;
    shown.map.setPicture(AsciiMap::draw(blueBorders));
    QLabel label;
    shown.map.setProperty("VKAreasMapa", QStringList{QStringLiteral("Dentro=(1/1),(2/1),(3/1),(4/1)")});
    shown.map.setProperty("VKLabelNomeArea", QVariant::fromValue(&label));
    shown.hover({3, 2});
    EXPECT_EQ(label.text(), QStringLiteral("Dentro"));

    shown.map.setProperty("VKChecaCorFronteira", true);
    shown.map.setProperty("VKCorFronteira", QColor::fromRgb(colorOf('c')));
    shown.map.setProperty("VKCorSelecao", QColor::fromRgb(colorOf('s')));
    NameAnswer answer{QStringLiteral("Outra")};
    ModalAnswerer answerer(answer.handler(shown.map));
    shown.click({2, 2});
    ASSERT_EQ(answerer.answered(), 1);
    EXPECT_EQ(answer.shownWhileAsked, QStringList({"cccccc", "cssssc", "cssssc", "cccccc"}));
    EXPECT_EQ(AsciiMap::read(shown.map.picture()), blueBorders);
    EXPECT_EQ(shown.map.property("VKAreasMapa").toStringList(),
              QStringList({"Dentro=(1/1),(2/1),(3/1),(4/1)", "Outra=(2/1),(3/1),(4/1),(4/2),(3/2),(2/2),(1/2),(1/1)"}));

    // The list handed its own lines keeps them.
    shown.map.SetVKAreasMapa(shown.map.VKAreasMapa());
    EXPECT_EQ(shown.map.VKAreasMapa().size(), 2);
}

TEST(VarnikMapa, HoverNamesTheAreaInTheLabelAndThePanel) {
    ShownMap shown;
    QLabel label;
    auto panel = std::make_unique<QLabel>();
    shown.map.SetVKLabelNomeArea(&label);
    shown.map.SetVKPanelNomeArea(panel.get());

    shown.hover({7, 4});
    EXPECT_EQ(label.text(), QStringLiteral("Norte"));
    EXPECT_EQ(panel->text(), QStringLiteral("Norte"));
    shown.hover({3, 4}); // below the lettering: the run starts under it
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(panel->text(), QString());
    shown.hover({2, 6});
    EXPECT_EQ(label.text(), QStringLiteral("Sul"));
    shown.hover({4, 6}); // a border
    EXPECT_EQ(label.text(), QString());

    panel.reset(); // a panel that goes away is no longer written to
    shown.hover({2, 6});
    EXPECT_EQ(label.text(), QStringLiteral("Sul"));

    // The picture one row lower than the list's coordinates.
    shown.map.setPicture(AsciiMap::draw(QStringList{"xxxxxxxxxx"} + kMap));
    shown.map.SetTag(1);
    shown.hover({2, 7});
    EXPECT_EQ(label.text(), QStringLiteral("Sul"));
    shown.hover({2, 3});
    EXPECT_EQ(label.text(), QStringLiteral("Norte"));
    shown.hover({2, 6}); // the border row above "Sul"
    EXPECT_EQ(label.text(), QString());

    shown.map.SetVKAreasMapa({});
    shown.hover({2, 3});
    EXPECT_EQ(label.text(), QString());
}

// A malformed colour stops the colouring and reaches the error box through
// the application; the area coloured before it stays coloured and shows.
TEST(VarnikMapa, AColouringErrorIsShownAndKeepsWhatWasColoured) {
    ShownMap shown;
    shown.map.SetVKCorAreasMapa({QStringLiteral("norte=255"), QStringLiteral("SUL=azul")});
    QPushButton button(QStringLiteral("&Atualizar Mapa"));
    QObject::connect(&button, &QPushButton::clicked, &shown.map, &TVarnikMapa::VKColoreAreasMapa);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));

    ModalAnswerer answerer;
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().first().contains(QStringLiteral("\"azul\"")));
    const QStringList after = AsciiMap::read(shown.map.picture());
    EXPECT_EQ(after[2], QStringLiteral("#aaaaaaaa#"));
    EXPECT_EQ(after[6], QStringLiteral("#...#....#"));
    EXPECT_EQ(AsciiMap::read(shown.map.grab().toImage().copy(0, 0, 10, 9)), after);
}

TEST(VarnikMapa, ABorderTraceIsShownWhileNamedThenStoredAndTheMapRestored) {
    ShownMap shown;
    shown.map.SetTag(0);
    shown.map.SetVKChecaCorFronteira(true);
    shown.map.SetVKCorSelecao(QColor::fromRgb(colorOf('s')));
    NameAnswer answer{QStringLiteral("Centro")};
    ModalAnswerer answerer(answer.handler(shown.map));

    shown.click({4, 4});
    ASSERT_EQ(answerer.answered(), 1);
    EXPECT_EQ(answer.title, QStringLiteral("Área do Mapa"));
    EXPECT_EQ(answer.prompt, QStringLiteral("Descrição:"));
    EXPECT_EQ(answer.preset, kPreset);
    EXPECT_EQ(answer.shownWhileAsked, QStringList({
                                          "xxxxxxxxxx",
                                          "##########",
                                          "#ssssssss#",
                                          "#s.xx...s#",
                                          "#ssssssss#",
                                          "##########",
                                          "#...#....#",
                                          "#...#....#",
                                          "##########",
                                      }));
    EXPECT_EQ(AsciiMap::read(shown.map.picture()), kMap);
    ASSERT_EQ(shown.map.VKAreasMapa().size(), 3);
    EXPECT_EQ(shown.map.VKAreasMapa()[2],
              QStringLiteral("Centro=(4/2),(5/2),(6/2),(7/2),(8/2),(8/3),(8/4),(7/4),"
                             "(6/4),(5/4),(4/4),(3/4),(2/4),(1/4),(1/3),(1/2),(2/2),(3/2)"));

    // The outline holds the top pixel of every column of the area, so the
    // new line names it under the pointer (on its own: "Norte" lists the
    // same top points first).
    QLabel label;
    shown.map.SetVKLabelNomeArea(&label);
    shown.map.SetVKAreasMapa({shown.map.VKAreasMapa()[2]});
    shown.hover({6, 4});
    EXPECT_EQ(label.text(), QStringLiteral("Centro"));
}

TEST(VarnikMapa, NothingIsStoredWithoutAName) {
    for (const std::optional<QString> &typed :
         {std::optional<QString>(), std::optional<QString>(kPreset), std::optional<QString>(QStringLiteral("   "))}) {
        ShownMap shown;
        shown.map.SetVKChecaCorFronteira(true);
        shown.map.SetVKCorSelecao(QColor::fromRgb(colorOf('s')));
        NameAnswer answer{typed};
        ModalAnswerer answerer(answer.handler(shown.map));
        shown.click({2, 6});
        ASSERT_EQ(answerer.answered(), 1);
        EXPECT_EQ(answer.shownWhileAsked.mid(6, 2), QStringList({"#sss#....#", "#sss#....#"}));
        EXPECT_EQ(shown.map.VKAreasMapa(), kAreas);
        EXPECT_EQ(AsciiMap::read(shown.map.picture()), kMap);
    }
}

TEST(VarnikMapa, AClickDoesNothingWhileTheMapIsOffset) {
    ShownMap shown;
    shown.map.SetTag(40);
    shown.map.SetVKChecaCorFronteira(true);
    NameAnswer answer{QStringLiteral("Centro")};
    ModalAnswerer answerer(answer.handler(shown.map));
    shown.click({4, 4});
    QTest::qWait(50);
    EXPECT_EQ(answerer.answered(), 0);
    EXPECT_EQ(shown.map.VKAreasMapa(), kAreas);
    EXPECT_EQ(AsciiMap::read(shown.map.picture()), kMap);
}

// Naming an area as an existing one replaces that line; with several lines
// per name allowed, the line that holds the traced seed is replaced, and a
// patch not listed yet gets a line of its own.
TEST(VarnikMapa, StoredLinesReplaceByNameOrBySeedPoint) {
    const QString sulTrace = QStringLiteral("(2/6),(3/6),(3/7),(2/7),(1/7),(1/6)");
    const QString eastTrace = QStringLiteral("(7/6),(8/6),(8/7),(7/7),(6/7),(5/7),(5/6),(6/6)");
    const struct {
        bool sameNames;
        QPoint click;
        QStringList after;
    } table[] = {
        {false, {2, 6}, {kAreas[0], "Sul=" + sulTrace}},
        {false, {7, 6}, {kAreas[0], "Sul=" + eastTrace}},
        {true, {2, 6}, {kAreas[0], "Sul=" + sulTrace}},
        {true, {7, 6}, {kAreas[0], "Sul=(1/6),(2/6)", "Sul=" + eastTrace}},
    };
    for (const auto &row : table) {
        ShownMap shown;
        shown.map.SetVKNomesIguais(row.sameNames);
        shown.map.SetVKAreasMapa({kAreas[0], "Sul=(1/6),(2/6)"});
        NameAnswer answer{QStringLiteral("Sul")};
        ModalAnswerer answerer(answer.handler(shown.map));
        shown.click(row.click);
        ASSERT_EQ(answerer.answered(), 1);
        EXPECT_EQ(shown.map.VKAreasMapa(), row.after) << row.sameNames << " " << row.click.x();
    }
}

TEST(VarnikMapa, AColourTraceFollowsTheClickedColourWithoutPainting) {
    ShownMap shown;
    shown.map.setPicture(AsciiMap::draw({"xxxxx", "#####", "#aaa#", "#aaa#", "#####"}));
    shown.map.SetVKAreasMapa({});
    NameAnswer answer{QStringLiteral("Vermelho")};
    ModalAnswerer answerer(answer.handler(shown.map));
    shown.click({2, 3});
    ASSERT_EQ(answerer.answered(), 1);
    EXPECT_EQ(answer.shownWhileAsked, QStringList({"xxxxx", "#####", "#aaa#", "#aaa#", "#####"}));
    EXPECT_EQ(shown.map.VKAreasMapa(), QStringList{QStringLiteral("Vermelho=(2/2),(3/2),(3/3),(2/3),(1/3),(1/2)")});
}
