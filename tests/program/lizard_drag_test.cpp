// Dragging lizards with the hand tool.
#include <tuple>

#include "program_fixture.h"
#include "resources/pictures.h"

namespace {

class LizardDragTest : public DesignerTest {
protected:
    // Press on lizard k at (gx, gy) of the lizard.
    void Grab(int k, int gx, int gy) {
        const auto& l = *w->MyLizardCan[k];
        w->HandleMouseMove(l.Left() + gx, l.Top() + gy);
        w->HandleMouseDown(l.Left() + gx, l.Top() + gy);
    }
    QRect Arrow(int k) const { return w->PopupArrowTraits[k]->Bounds(); }
    QRect Lizard(int k) const { return w->MyLizardCan[k]->Bounds(); }
};

TEST_F(LizardDragTest, ArrowAndMarkerPressesAreRefused) {
    for (int tool : {kArrow, kMarker}) {
        ChooseTool(tool);
        ClickOn(*w->PopupArrowTraits[2]);
        Grab(2, 50, 20);
        EXPECT_EQ(w->oldX, -1) << "no grab point";
        EXPECT_EQ(w->oldY, -1);
        EXPECT_FALSE(w->MyLizardCan[2]->MouseCursor());
        EXPECT_FALSE(PanelShown()) << "the press reached the window";
        EXPECT_EQ(w->TargetLizCan, 2);
        w->HandleMouseMove(200, 300);
        w->HandleMouseUp(200, 300);
        EXPECT_EQ(Lizard(2), QRect(225, 92, 110, 44)) << tool;
        EXPECT_EQ(Arrow(2), QRect(325, 126, 10, 10)) << tool;
    }
}

TEST_F(LizardDragTest, HandPressGrabsAndClosesPanel) {
    ChooseTool(kHand);
    ClickOn(*w->PopupArrowTraits[4]);
    Grab(1, 30, 12);
    EXPECT_EQ(w->oldX, 30);
    EXPECT_EQ(w->oldY, 12);
    EXPECT_EQ(w->MyLizardCan[1]->MouseCursor(), HandCursor());
    EXPECT_EQ(w->CurrentCursor(), HandCursor());
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Facings(), (std::array<int, 7>{}));
    EXPECT_EQ(w->TargetLizCan, 4);
    w->HandleMouseUp(114 + 30, 92 + 12);
    EXPECT_EQ(w->oldX, -1);
    EXPECT_EQ(w->oldY, -1);
    EXPECT_FALSE(w->MyLizardCan[1]->MouseCursor());
    EXPECT_EQ(Lizard(1), QRect(114, 92, 110, 44)) << "a click moves nothing";
}

TEST_F(LizardDragTest, DropBelowStageIsPulledBackToItsEdge) {
    ChooseTool(kHand);
    Grab(0, 50, 20);
    w->HandleMouseMove(53, 412);  // 300 down in one step
    EXPECT_EQ(Lizard(0), QRect(3, 392, 110, 44));
    EXPECT_EQ(Arrow(0), QRect(103, 426, 10, 10));
    w->HandleMouseMove(53, 412);  // pointer level with the grab point
    EXPECT_EQ(Lizard(0), QRect(3, 344, 110, 44));
    EXPECT_EQ(Arrow(0), QRect(103, 378, 10, 10));

    // Resting on the edge: no sideways move while level with or below the grab point.
    w->HandleMouseMove(153, 364);
    w->HandleMouseMove(253, 450);
    EXPECT_EQ(Lizard(0), QRect(3, 344, 110, 44));
    EXPECT_EQ(Arrow(0), QRect(103, 378, 10, 10));
    // Above it the lizard moves freely, either way.
    w->HandleMouseMove(153, 350);
    EXPECT_EQ(Lizard(0), QRect(103, 330, 110, 44));
    EXPECT_EQ(Arrow(0), QRect(203, 364, 10, 10));
    w->HandleMouseMove(23, 340);
    EXPECT_EQ(Lizard(0), QRect(-27, 320, 110, 44));
    EXPECT_EQ(Arrow(0), QRect(73, 354, 10, 10));
    w->HandleMouseUp(23, 340);
    EXPECT_EQ(w->oldX, -1);
    EXPECT_FALSE(w->MyLizardCan[0]->MouseCursor());
}

// A lizard may leave the stage, but 24 pixels of it each way stay inside the
// window, and it follows the pointer again as soon as it can.
TEST_F(LizardDragTest, HeldWithinReachAtTheWindowsEdges) {
    ChooseTool(kHand);
    Grab(3, 50, 20);
    w->HandleMouseMove(-100, -50);
    EXPECT_EQ(Lizard(3), QRect(24 - 110, 24 - 44, 110, 44));
    EXPECT_EQ(Arrow(3), QRect(24 - 110 + 100, 24 - 44 + 34, 10, 10));
    w->HandleMouseMove(200, 100);  // the grab point back under the pointer
    EXPECT_EQ(Lizard(3), QRect(150, 80, 110, 44));
    w->HandleMouseMove(900, 40);
    EXPECT_EQ(Lizard(3), QRect(782 - 24, 20, 110, 44));
    w->HandleMouseMove(300, 2000);  // down past the stage in one step, not under the strip
    EXPECT_EQ(Lizard(3).top(), 498 - 24);
    w->HandleMouseMove(300, 2000);
    EXPECT_EQ(Lizard(3).top(), 344) << "then held on the stage's edge";
    EXPECT_EQ(Arrow(3).topLeft(), Lizard(3).topLeft() + QPoint(100, 34));

    // Flung off the top left corner, it is grabbed by what is left in sight.
    w->HandleMouseMove(-3000, -3000);
    w->HandleMouseUp(-3000, -3000);
    ASSERT_EQ(Lizard(3).topLeft(), QPoint(-86, -20));
    w->HandleMouseMove(5, 5);
    w->HandleMouseDown(5, 5);
    w->HandleMouseMove(300, 200);
    w->HandleMouseUp(300, 200);
    EXPECT_EQ(Lizard(3).topLeft(), QPoint(300 - 91, 200 - 25));
}

// The lizard in hand lies over the other lizards and their arrows, its own
// arrow over it; the tool strip stays over every lizard.
TEST_F(LizardDragTest, TheDraggedLizardLiesInFrontWithItsArrow) {
    ChooseTool(kHand);
    Grab(0, 50, 20);
    w->HandleMouseMove(114 + 30 + 50, 92 + 20);  // over lizard 1 and its arrow
    w->HandleMouseUp(114 + 30 + 50, 92 + 20);
    EXPECT_TRUE(SameBesideArrow(OnScreen(0), CacheImage(*w->MyLizardCan[0])));
    EXPECT_EQ(PixelAt(*w, Arrow(0).left() + 1, Arrow(0).top() + 4), fw::kArrowInk);
    EXPECT_EQ(w->Controls().size(), 30u);

    // Dropped in one step onto the strip, it lies under it.
    Grab(2, 50, 20);
    w->HandleMouseMove(217 + 50, 470 + 20);
    w->HandleMouseUp(217 + 50, 470 + 20);
    ASSERT_EQ(Lizard(2).topLeft(), QPoint(217, 470));
    EXPECT_EQ(PixelAt(*w, 217 + 1, 504 + 1), fw::kBlack) << "the selector's frame";
    EXPECT_EQ(PixelAt(*w, 217 + 2 + 22, 504 + 2), fw::RGB(150, 150, 150)) << "its hand cell";
}

// The strip would hide a lizard under it: unless 24 of its columns stand
// beside the strip, it keeps 24 rows above, however quick the flick.
TEST_F(LizardDragTest, KeptInSightAboveTheToolStrip) {
    ChooseTool(kHand);
    Grab(3, 50, 20);
    w->HandleMouseMove(390, 2000);
    EXPECT_EQ(Lizard(3), QRect(340, 474, 110, 44));
    EXPECT_EQ(Arrow(3).topLeft(), QPoint(440, 508));
    w->HandleMouseUp(390, 2000);
    for (auto [k, left, top] : {std::tuple{1, 181, 500}, {2, 182, 474}, {5, 488, 500}, {6, 487, 474}}) {
        Grab(k, 50, 20);
        w->HandleMouseMove(left + 50, 300 + 20);  // first onto the stage, then down past it
        w->HandleMouseMove(left + 50, 500 + 20);
        EXPECT_EQ(Lizard(k).topLeft(), QPoint(left, top)) << k;
        w->HandleMouseUp(left + 50, 500 + 20);
    }
}

TEST_F(LizardDragTest, ArrowsKeepTheirOffsetAndTraitsStay) {
    ClickOn(*w->PopupArrowTraits[6]);
    ClickOn(*w->CheckBoxTraits[5]);
    const QImage look = CacheImage(*w->MyLizardCan[6]);
    ChooseTool(kHand);
    // Both end in one place: the last one dragged lies on top.
    for (int k : {2, 6}) {
        const int dx = k == 6 ? 101 : 100;
        Grab(k, 40, 10);
        const std::pair<int, int> path[] = {{300, 200}, {120, 60}, {500, 250}, {460, 500}, {470, 520}};
        for (auto [x, y] : path) {
            w->HandleMouseMove(x, y);
            EXPECT_EQ(Arrow(k).left(), Lizard(k).left() + dx) << k;
            EXPECT_EQ(Arrow(k).top(), Lizard(k).top() + 34) << k;
        }
        w->HandleMouseUp(470, 520);
        EXPECT_EQ(Lizard(k).bottom() + 1, 388) << "held at the stage's edge";
    }
    const std::array<bool, 8> blotch = {false, false, false, false, false, true, false, false};
    EXPECT_EQ(w->MyLizardCan[6]->Trait, blotch);
    EXPECT_EQ(CacheImage(*w->MyLizardCan[6]), look);
    EXPECT_TRUE(SameBesideArrow(OnScreen(6), look));
    EXPECT_EQ(w->MyLizardCan[6]->Index(), 6);
    EXPECT_EQ(w->PopupArrowTraits[6]->Index(), 6);
    // The arrow still opens its own lizard's panel, under the lizard's new place.
    ClickOn(*w->PopupArrowTraits[6]);
    EXPECT_EQ(w->TargetLizCan, 6);
    EXPECT_EQ(w->RectangleTraits->Left(), Lizard(6).left());
    EXPECT_TRUE(w->CheckBoxTraits[5]->Value());
}

}  // namespace
