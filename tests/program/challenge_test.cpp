// The Challenge window: fixed traits, trait labels, the lizard drag, its tools.
#include <string>
#include <tuple>

#include "program_fixture.h"
#include "resources/pictures.h"
#include "shell/globals.h"

namespace {

constexpr fw::Color kStage = fw::RGB(0xEE, 0xEE, 0xEE);
constexpr fw::Color kRed = fw::RGB(0xDC, 0x1E, 0x1E);  // palette at (26, 8)

const std::array<bool, 8> kFixed[7] = {
    {1, 0, 1, 0, 0, 0, 0, 0}, {1, 0, 0, 1, 0, 0, 0, 0}, {1, 1, 1, 0, 0, 1, 0, 0}, {1, 1, 1, 0, 0, 1, 1, 1},
    {1, 0, 0, 1, 1, 0, 0, 0}, {1, 1, 1, 0, 0, 1, 0, 1}, {1, 1, 1, 0, 0, 0, 0, 0},
};
const struct { const char* text; int left, width; } kLabels[8] = {
    {"- Dewlap", 32, 46},     {"- Head crest", 117, 65},  {"- Back crest", 213, 65},   {"- Tail crest", 312, 59},
    {"- Collar", 409, 46},    {"- Side blotch", 485, 65}, {"- Side stripes", 587, 65}, {"- Tail spots", 689, 58},
};

class ChallengeWindowTest : public ChallengeTest {
protected:
    void ExpectOpeningState() {
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(w->MyLizardCan[i]->Bounds(), QRect(3 + 111 * i, 92, 110, 44)) << i;
            EXPECT_EQ(w->MyLizardCan[i]->Trait, kFixed[i]) << i;
            EXPECT_EQ(CacheImage(*w->MyLizardCan[i]), ExpectedLizard(kFixed[i])) << i;
            EXPECT_EQ(OnScreen(i), ExpectedLizard(kFixed[i])) << "no arrow over lizard " << i;
        }
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(w->TraitLabel[k]->Bounds(), QRect(kLabels[k].left, 394, kLabels[k].width, 20));
            EXPECT_EQ(w->TraitLabel[k]->Text(), kLabels[k].text);
            EXPECT_EQ(w->TraitLabel[k]->TextColor(), fw::RGB(0xFF, 0x75, 0x18));
        }
        EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, "arrow");
        EXPECT_EQ(w->TargetLizCan, -1);
        EXPECT_EQ(w->oldX, -1);
        EXPECT_EQ(w->oldY, -1);
        EXPECT_TRUE(AllWhite(w->Cache->Image()));
        ExpectArrowsHidden();
    }
    void ExpectArrowsHidden() {
        for (auto& a : w->PopupArrowTraits) EXPECT_FALSE(a->Visible()) << a->Index();
    }
    // Press at (gx, gy) of the control, drag through the points, release at the last.
    void DragBy(const fw::RectControl& c, int gx, int gy, std::initializer_list<std::pair<int, int>> to) {
        w->HandleMouseMove(c.Left() + gx, c.Top() + gy);
        w->HandleMouseDown(c.Left() + gx, c.Top() + gy);
        for (auto [x, y] : to) w->HandleMouseMove(x, y);
        w->HandleMouseUp((to.end() - 1)->first, (to.end() - 1)->second);
    }
};

// The lizards' own Open draws their bodies before the window's Open adds the
// traits: the other way round, the lizards' Open would wipe traits and flags.
TEST_F(ChallengeWindowTest, OpensWithFixedTraitsOverEachBodyAndResetsToThem) {
    ExpectOpeningState();
    ChooseTool(kHand);
    DragBy(*w->MyLizardCan[3], 50, 20, {{200, 250}});
    DragBy(*w->TraitLabel[5], 5, 5, {{100, 50}});
    ChooseTool(kMarker);
    Drag(*w, {{100, 300}, {100, 300}, {400, 300}});
    App().ChooseMenuItem("FileReset");
    w = Find<WindowReconChallengeClass>();
    ASSERT_EQ(App().FrontWindow(), w);
    ExpectOpeningState();
    // The artwork's trait pictures do not overlap; two that do show the order.
    auto square = [](fw::Color c) {
        auto p = fw::NewPicture(20, 20, 32);
        p->Graphics().ForeColor = c;
        p->Graphics().FillRect(0, 0, 20, 20);
        return p;
    };
    Globals::TraitImage.at(1) = square(fw::RGB(0, 0, 255));
    Globals::TraitImage.at(2) = square(fw::RGB(255, 0, 0));
    App().ChooseMenuItem("FileReset");
    w = Find<WindowReconChallengeClass>();
    EXPECT_EQ(PixelOf(w->MyLizardCan[6]->Cache, 5, 5), fw::RGB(255, 0, 0)) << "back crest over head crest";
    EXPECT_EQ(PixelOf(w->MyLizardCan[1]->Cache, 5, 5), fw::Color::FromRgb32(ExpectedLizard(kFixed[1]).pixel(5, 5)));
}

// Later controls lie above earlier ones: each arrow over its own lizard only,
// the labels over everything.
TEST_F(ChallengeWindowTest, ThirtyEightControlsInCreationOrder) {
    std::string order;
    for (auto& c : w->Controls()) order += c->Name().substr(0, 5) + std::to_string(c->Index()) + " ";
    EXPECT_EQ(order,
              "TreeR0 MyLiz0 Popup0 MyLiz1 Popup1 MyLiz2 Popup2 MyLiz3 Popup3 MyLiz4 Popup4 MyLiz5 Popup5 MyLiz6 "
              "Popup6 Recta0 Check0 Check1 Check2 Check3 Check4 Check5 Check6 Check7 MyNoD0 Recta0 Canva0 Canva0 "
              "PushB0 Canva0 Trait0 Trait1 Trait2 Trait3 Trait4 Trait5 Trait6 Trait7 ");
    for (int i = 0; i < 7; ++i) EXPECT_EQ(w->PopupArrowTraits[i]->Bounds(), QRect(i < 6 ? 103 + 111 * i : 770, 126, 10, 10));
}

TEST_F(ChallengeWindowTest, HandDragsALabelByItsGrabPointWithinReachOtherToolsMoveNothing) {
    for (int tool : {kArrow, kMarker}) {
        ChooseTool(tool);
        DragBy(*w->TraitLabel[2], 10, 10, {{600, 300}});
        DragBy(*w->MyLizardCan[4], 10, 10, {{600, 300}});
        EXPECT_EQ(w->TraitLabel[2]->Left(), 213);
        EXPECT_EQ(w->MyLizardCan[4]->Left(), 447);
    }
    ChooseTool(kHand);
    const auto& label = *w->TraitLabel[1];
    w->HandleMouseDown(117 + 5, 394 + 8);
    EXPECT_EQ(std::pair(w->oldX, w->oldY), std::pair(5, 8));
    EXPECT_EQ(w->CurrentCursor(), HandCursor());
    for (auto [x, y] : {std::pair{300, 200}, {310, 90}, {400, 520}, {-20, 450}}) {
        w->HandleMouseMove(x, y);
        EXPECT_EQ(label.Bounds().topLeft(), QPoint(x - 5, y - 8)) << "no edge of the stage holds a label";
    }
    // At the window's edges 24 pixels across and all its rows stay inside.
    for (auto [x, y, at] : {std::tuple{-200, 450, QPoint(24 - 65, 442)}, {400, -50, QPoint(395, 0)},
                            {400, 900, QPoint(395, 550 - 20)}, {2000, 300, QPoint(782 - 24, 292)}}) {
        w->HandleMouseMove(x, y);
        EXPECT_EQ(label.Bounds().topLeft(), at) << x << "," << y;
    }
    w->HandleMouseUp(2000, 300);
    EXPECT_EQ(std::pair(w->oldX, w->oldY), std::pair(-1, -1));
    EXPECT_FALSE(label.MouseCursor());
    // Flung off the right edge, grabbed by what is left and brought back.
    Drag(*w, {{770, 300}, {400, 250}});
    EXPECT_EQ(label.Bounds().topLeft(), QPoint(400 - 12, 250 - 8));
}

// Strokes lie over whatever passes: they stay where a lizard or a label
// travelled, and over them while they rest there.
TEST_F(ChallengeWindowTest, StrokesStayWhereLizardsAndLabelsPass) {
    ChooseTool(kMarker);
    Drag(*w, {{20, 110}, {20, 110}, {380, 110}});
    ChooseTool(kHand);
    DragBy(*w->MyLizardCan[1], 36, 8, {{150, 200}, {150, 110}});
    EXPECT_TRUE(StrokesShown()) << "over the lizard at rest";
    DragBy(*w->MyLizardCan[1], 36, 8, {{150, 300}});
    EXPECT_EQ(PixelAt(*w, 150, 110), fw::kBlack) << "where the lizard was";
    DragBy(*w->TraitLabel[0], 5, 8, {{40, 111}, {600, 250}});
    EXPECT_TRUE(StrokesShown());
    EXPECT_EQ(PixelAt(*w, 50, 110), fw::kBlack) << "where the label travelled";
}

// A lizard dropped on its neighbour stays in sight, and one flicked under the
// strip stays above it; a label carried over the others lies in front of
// them; the labels lie over every lizard.
TEST_F(ChallengeWindowTest, WhatIsCarriedLiesInFront) {
    ChooseTool(kHand);
    DragBy(*w->MyLizardCan[0], 50, 20, {{114 + 30 + 50, 92 + 20}});
    EXPECT_EQ(OnScreen(0), ExpectedLizard(kFixed[0]));
    DragBy(*w->TraitLabel[0], 5, 8, {{117 + 5, 394 + 8}});
    EXPECT_GT(w->StackPosition(*w->TraitLabel[0]), w->StackPosition(*w->TraitLabel[7]));
    DragBy(*w->MyLizardCan[6], 50, 20, {{40, 404}});
    EXPECT_LT(w->StackPosition(*w->MyLizardCan[6]), w->StackPosition(*w->TraitLabel[1]));
    EXPECT_LT(w->StackPosition(*w->MyLizardCan[6]), w->StackPosition(*w->MyNoDrawCan));
    DragBy(*w->MyLizardCan[3], 50, 20, {{390, 2000}});
    EXPECT_EQ(w->MyLizardCan[3]->Bounds().topLeft(), QPoint(340, 474)) << "in sight above the strip";
    EXPECT_EQ(w->Controls().size(), 38u);
}

TEST_F(ChallengeWindowTest, OnlyAWindowPressClosesThePanelLizardHeldAtStageBottom) {
    ChooseTool(kMarker);
    Drag(*w, {{100, 300}, {100, 300}, {400, 300}});
    const QImage overlay = w->Cache->Image();
    ChooseTool(kHand);
    w->PopupArrowTraits_MouseUp(2, 0, 0);  // the arrows are hidden: nothing else opens the panel
    // The lizard's lower right corner, where its hidden arrow lies; past the edge, then held.
    DragBy(*w->MyLizardCan[2], 105, 38, {{330, 430}, {330, 430}, {500, 480}});
    EXPECT_EQ(w->MyLizardCan[2]->Bounds(), QRect(225, 344, 110, 44));
    EXPECT_EQ(w->PopupArrowTraits[2]->Bounds(), QRect(325, 378, 10, 10));
    for (auto [x, tool] : {std::pair{21, "arrow"}, {22, "hand"}, {43, "hand"}, {44, "marker"}}) {
        ChooseTool(x);
        EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, tool) << x;
        EXPECT_TRUE(PanelShown()) << "neither the lizard press nor a tool choice closes it";
        EXPECT_EQ(w->Cache->Image(), overlay);
        EXPECT_EQ(PixelAt(*w, 120, 300), fw::kBlack);
    }
    Click(*w, 330, 382);
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Facings(), (std::array<int, 7>{}));
    ExpectArrowsHidden();
    // Its boxes stand 15 in and 16 apart, under the lizard where it is now.
    w->PopupArrowTraits_MouseUp(2, 0, 0);
    EXPECT_EQ(w->RectangleTraits->Bounds(), QRect(225, 392, 110, 146));
    for (int t = 0; t < 8; ++t) EXPECT_EQ(w->CheckBoxTraits[t]->Bounds().topLeft(), QPoint(240, 399 + 16 * t));
}

TEST_F(ChallengeWindowTest, ClearWipesStrokesForGoodAndKeepsThePen) {
    w->HandleMouseMove(527, 515);  // over "Clear"
    const QImage untouched = w->Image();
    ClickOn(*w->PushButtonClear);
    EXPECT_EQ(w->Image(), untouched) << "nothing to clear";
    ChooseTool(kMarker);
    Click(*w, 351 + 26, 507 + 8);  // red from the palette
    Drag(*w, {{400, 200}, {400, 200}, {440, 200}});
    ClickOn(*w->PushButtonClear);
    EXPECT_TRUE(AllWhite(w->Cache->Image()));
    EXPECT_EQ(w->Cache->Transparent, 1);
    EXPECT_EQ(w->Cache->Graphics().ForeColor, kRed);
    App().ChooseMenuItem("WindowDesignerlizards");
    App().ChooseMenuItem("WindowChallenge");
    ChooseTool(kHand);
    DragBy(*w->TraitLabel[4], 5, 5, {{420, 205}, {420, 300}});
    EXPECT_EQ(PixelAt(*w, 420, 200), kStage) << "no stroke comes back";
    ChooseTool(kMarker);
    Drag(*w, {{400, 250}, {400, 250}, {440, 250}});
    EXPECT_EQ(PixelOf(w->Cache, 420, 250), kRed);
}

}  // namespace
