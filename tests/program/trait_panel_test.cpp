// The trait panel: opening, moving, closing, and the lizard re-render.
#include "program_fixture.h"

namespace {

class TraitPanelTest : public DesignerTest {
protected:
    void ExpectOpenUnder(int k) {
        EXPECT_TRUE(PanelShown());
        EXPECT_EQ(w->TargetLizCan, k);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(w->PopupArrowTraits[i]->Facing(), i == k ? 3 : 0) << i;
        for (int t = 0; t < 8; ++t) EXPECT_EQ(w->CheckBoxTraits[t]->Value(), w->MyLizardCan[k]->Trait[t]) << t;
    }
    void ExpectClosed(int target) {
        EXPECT_FALSE(PanelShown());
        EXPECT_EQ(Facings(), (std::array<int, 7>{}));
        EXPECT_EQ(w->TargetLizCan, target);
    }
};

TEST_F(TraitPanelTest, ArrowsOpenMoveAndCloseThePanel) {
    w->MyLizardCan[4]->Trait[2] = w->MyLizardCan[4]->Trait[6] = true;
    ClickOn(*w->PopupArrowTraits[1]);
    ExpectOpenUnder(1);
    ClickOn(*w->PopupArrowTraits[4]);
    ExpectOpenUnder(4);
    EXPECT_TRUE(w->CheckBoxTraits[2]->Value() && w->CheckBoxTraits[6]->Value()) << "lizard 4's flags loaded";
    ClickOn(*w->PopupArrowTraits[4]);
    ExpectClosed(-1);
    ClickOn(*w->PopupArrowTraits[4]);
    ExpectOpenUnder(4);

    // A press on the window with any tool closes it and keeps the target.
    Click(*w, 600, 300);
    ExpectClosed(4);
    ClickOn(*w->PopupArrowTraits[4]);
    ExpectOpenUnder(4);
    ChooseTool(kMarker);
    Click(*w, 600, 300);
    ClickOn(*w->PopupArrowTraits[4]);
    Click(*w, 600, 300);
    ExpectClosed(4);

    // A tool choice closes it.
    ClickOn(*w->PopupArrowTraits[0]);
    ChooseTool(kMarker);
    ExpectClosed(0);
    // So does a press with the hand on a lizard; the same arrow then opens again.
    ClickOn(*w->PopupArrowTraits[0]);
    ChooseTool(kHand);
    ClickOn(*w->PopupArrowTraits[0]);
    ClickOn(*w->MyLizardCan[5]);
    ExpectClosed(0);
    ClickOn(*w->PopupArrowTraits[0]);
    ExpectOpenUnder(0);
    // A press on the panel's white background is a press on the window.
    const auto& panel = *w->RectangleTraits;
    Click(*w, panel.Left() + panel.Width() - 4, panel.Top() + 60);
    ExpectClosed(0);
}

TEST_F(TraitPanelTest, ReleaseOutsideAfterPressStillActs) {
    const auto& arrow = *w->PopupArrowTraits[3];
    w->HandleMouseDown(arrow.Left() + 5, arrow.Top() + 5);
    w->HandleMouseUp(700, 450);
    ExpectOpenUnder(3);
    const auto& box = *w->CheckBoxTraits[5];
    w->HandleMouseDown(box.Left() + 5, box.Top() + 5);
    w->HandleMouseUp(10, 10);
    EXPECT_TRUE(w->MyLizardCan[3]->Trait[5]);
    EXPECT_TRUE(box.Value());
    w->HandleMouseDown(arrow.Left() + 5, arrow.Top() + 5);
    w->HandleMouseUp(700, 450);
    ExpectClosed(-1);
}

TEST_F(TraitPanelTest, BoxWithoutTargetChangesNothing) {
    auto& box = *w->CheckBoxTraits[0];
    const QImage before = w->Image();
    box.SetVisible(true);  // a box can only be reached this way with no target
    ClickOn(box);
    EXPECT_FALSE(box.Value());
    for (auto& l : w->MyLizardCan)
        for (bool t : l->Trait) EXPECT_FALSE(t);
    box.SetVisible(false);
    EXPECT_EQ(w->Image(), before);
}

TEST_F(TraitPanelTest, ToggleRedrawsTheLizardFromItsFlags) {
    ClickOn(*w->PopupArrowTraits[2]);
    ClickOn(*w->CheckBoxTraits[4]);
    ClickOn(*w->CheckBoxTraits[1]);
    EXPECT_TRUE(w->CheckBoxTraits[4]->Value());
    const std::array<bool, 8> collarCrest = {false, true, false, false, true, false, false, false};
    EXPECT_EQ(w->MyLizardCan[2]->Trait, collarCrest);
    EXPECT_EQ(CacheImage(*w->MyLizardCan[2]), ExpectedLizard(collarCrest));
    EXPECT_TRUE(SameBesideArrow(OnScreen(2), ExpectedLizard(collarCrest)));
    EXPECT_NE(ExpectedLizard(collarCrest), ExpectedLizard({})) << "the overlays show";
    // Other lizards untouched.
    EXPECT_EQ(CacheImage(*w->MyLizardCan[1]), ExpectedLizard({}));

    // Unticking back to no trait gives the bare body.
    ClickOn(*w->CheckBoxTraits[4]);
    ClickOn(*w->CheckBoxTraits[1]);
    EXPECT_FALSE(w->CheckBoxTraits[1]->Value());
    EXPECT_EQ(w->MyLizardCan[2]->Trait, (std::array<bool, 8>{}));
    EXPECT_EQ(CacheImage(*w->MyLizardCan[2]), ExpectedLizard({}));
    EXPECT_TRUE(SameBesideArrow(OnScreen(2), ExpectedLizard({})));
}

TEST_F(TraitPanelTest, TraitOrderDecidesNotTickOrder) {
    ClickOn(*w->PopupArrowTraits[0]);
    ClickOn(*w->CheckBoxTraits[7]);
    ClickOn(*w->CheckBoxTraits[0]);
    ClickOn(*w->PopupArrowTraits[1]);
    ClickOn(*w->CheckBoxTraits[0]);
    ClickOn(*w->CheckBoxTraits[7]);
    const std::array<bool, 8> both = {true, false, false, false, false, false, false, true};
    EXPECT_EQ(CacheImage(*w->MyLizardCan[0]), CacheImage(*w->MyLizardCan[1]));
    EXPECT_EQ(CacheImage(*w->MyLizardCan[0]), ExpectedLizard(both));
    // All eight, where overlays overlap the higher index wins.
    ClickOn(*w->PopupArrowTraits[6]);
    for (int t : {3, 1, 6, 0, 4, 7, 2, 5}) ClickOn(*w->CheckBoxTraits[t]);
    std::array<bool, 8> all;
    all.fill(true);
    EXPECT_EQ(CacheImage(*w->MyLizardCan[6]), ExpectedLizard(all));
}

TEST_F(TraitPanelTest, ArrowIsDrawnAgainOverTheReRenderedLizard) {
    ClickOn(*w->PopupArrowTraits[5]);
    ClickOn(*w->CheckBoxTraits[3]);
    const QImage afterToggle = w->Image();
    const auto& a = *w->PopupArrowTraits[5];
    const auto& l = *w->MyLizardCan[5];
    const QImage cache = CacheImage(l);
    bool arrowShows = false;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            arrowShows |= afterToggle.pixel(a.Left() + x, a.Top() + y) !=
                          cache.pixel(a.Left() - l.Left() + x, a.Top() - l.Top() + y);
    EXPECT_TRUE(arrowShows);
    w->Refresh(true);
    EXPECT_EQ(w->Image(), afterToggle) << "the screen is what a full repaint gives";
}

// A re-render redraws the lizard only where it shows: a lizard laid in front
// of it stays in front, and the tool strip stays whole over its feet.
TEST_F(TraitPanelTest, AReRenderKeepsWhatLiesInFrontOfTheLizard) {
    ChooseTool(kHand);
    Drag(*w, {{225 + 50, 92 + 20}, {165 + 50, 92 + 20}});  // lizard 2 over lizard 1's right end
    Click(*w, 130, 100);                                   // lizard 1 to the front
    Gain(2, 0);
    EXPECT_EQ(w->Image(), w->RepaintedImage());
    EXPECT_TRUE(SameBesideArrow(OnScreen(1), CacheImage(*w->MyLizardCan[1]))) << "lizard 1 in front";
    ClickOn(*w->PopupArrowTraits[2]);
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(w->Image(), w->RepaintedImage());

    // Lizard 4 with its feet under the strip, its arrow beside it.
    Drag(*w, {{447 + 50, 92 + 20}, {480 + 50, 466 + 20}});
    ASSERT_EQ(w->MyLizardCan[4]->Bounds().topLeft(), QPoint(480, 466));
    const QRect stripAbovePanel(205, 498, 369, 16);
    const QImage strip = w->Image().copy(stripAbovePanel);
    Gain(4, 0);
    ASSERT_TRUE(w->MyLizardCan[4]->Trait[0]);
    EXPECT_EQ(w->Image().copy(stripAbovePanel), strip);
    EXPECT_EQ(w->Image(), w->RepaintedImage());
}

TEST_F(TraitPanelTest, PanelFollowsAMovedLizard) {
    ChooseTool(kHand);
    const auto& l = *w->MyLizardCan[3];
    Drag(*w, {{l.Left() + 50, l.Top() + 20}, {l.Left() + 90, l.Top() + 50}});
    ASSERT_EQ(l.Left(), 376);
    ASSERT_EQ(l.Top(), 122);
    ClickOn(*w->PopupArrowTraits[3]);
    ExpectOpenUnder(3);
    EXPECT_EQ(w->RectangleTraits->Bounds(), QRect(376, 170, 110, 152));
    for (int t = 0; t < 8; ++t) EXPECT_EQ(w->CheckBoxTraits[t]->Bounds(), QRect(390, 177 + 17 * t, 80, 20)) << t;

    // Near the right edge the panel reaches past the window.
    auto& far = *w->MyLizardCan[6];
    far.SetLeft(720);
    far.SetTop(200);
    w->PopupArrowTraits_MouseUp(6, 0, 0);
    EXPECT_EQ(w->RectangleTraits->Bounds(), QRect(720, 248, 110, 152));
    EXPECT_EQ(w->CheckBoxTraits[7]->Bounds(), QRect(734, 374, 80, 20));
}

}  // namespace
