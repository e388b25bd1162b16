// Dragging lizards with the hand tool.
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

TEST_F(LizardDragTest, NothingHoldsItLeftRightOrUp) {
    ChooseTool(kHand);
    Grab(3, 50, 20);
    w->HandleMouseMove(-100, -50);
    EXPECT_EQ(Lizard(3), QRect(-150, -70, 110, 44));
    EXPECT_EQ(Arrow(3), QRect(-50, -36, 10, 10));
    w->HandleMouseMove(900, 40);  // the grab point follows the pointer
    EXPECT_EQ(Lizard(3), QRect(850, 20, 110, 44));
    w->HandleMouseUp(900, 40);
    EXPECT_EQ(Lizard(3), QRect(850, 20, 110, 44));
}

TEST_F(LizardDragTest, ArrowsKeepTheirOffsetAndTraitsStay) {
    ClickOn(*w->PopupArrowTraits[6]);
    ClickOn(*w->CheckBoxTraits[5]);
    const QImage look = CacheImage(*w->MyLizardCan[6]);
    ChooseTool(kHand);
    for (int k : {6, 2}) {
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
