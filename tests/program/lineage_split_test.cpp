// Lineage splits and trait marks: a click on a lizard while the clock runs
// splits its lineage; a gained trait is marked on the lizard's branch.
#include "evolving_fixture.h"

namespace {

using LineageSplitTest = EvolvingTest;

TEST_F(LineageSplitTest, SplitsAtCountsThirtyAndSixtyPlaceLizardsAndBranchesThatFollowTheirTip) {
    PressClock();
    Ticks(30);
    ASSERT_EQ(w->myrootline->Y1(), 379);
    Click(*w, 383, 356);
    EXPECT_EQ(Ids(w->PopOrder), (std::vector<int>{0, 1}));
    EXPECT_EQ(w->myLizardCan[0]->Bounds(), QRect(191, 334, 110, 44));
    EXPECT_EQ(w->myLizardCan[1]->Bounds(), QRect(489, 334, 110, 44));
    EXPECT_EQ(w->PopupArrowTraits[0]->Bounds(), QRect(291, 368, 10, 10));
    EXPECT_EQ(w->PopupArrowTraits[1]->Bounds(), QRect(589, 368, 10, 10));
    const HLine& h1 = *w->myHLine[1];
    EXPECT_EQ(h1.TimeDepth, 378);
    EXPECT_EQ(h1.leftVLine, w->myVLine[1]);
    EXPECT_EQ(h1.rightVLine, w->myVLine[2]);
    EXPECT_EQ(Ends(h1), QLine(246, 378, 544, 378));
    EXPECT_EQ(Ends(*w->myVLine[1]), QLine(246, 379, 246, 378));
    EXPECT_EQ(Ends(*w->myVLine[2]), QLine(544, 379, 544, 378));
    EXPECT_TRUE(h1.Visible() && w->myVLine[2]->Visible() && w->myLizardCan[1]->Visible());

    Ticks(30);
    ClickLizard(0);
    EXPECT_EQ(Ids(w->PopOrder), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(QPoint(w->myLizardCan[2]->Left(), w->myLizardCan[1]->Left()), QPoint(339, 562)) << "w = 894 / 4 truncated";
    EXPECT_EQ(w->myLizardCan[0]->Left(), 116);
    EXPECT_EQ(w->PopupArrowTraits[2]->Bounds(), QRect(439, 358, 10, 10));
    EXPECT_EQ(Ends(*w->myHLine[2]), QLine(171, 368, 394, 368));
    EXPECT_EQ(Ends(*w->myVLine[4]), QLine(394, 369, 394, 368));
    EXPECT_EQ(Ids(h1.LeftEnd), (std::vector<int>{0, 2}));
    EXPECT_EQ(Ends(h1), QLine(282, 378, 617, 378)) << "(116 + 339) / 2 + 55 truncated";
    Ticks(3);
    EXPECT_EQ(w->myVLine[1]->Y1(), 369) << "an internal branch keeps its upper end";
    EXPECT_EQ(w->myVLine[2]->Y1(), 368);
    EXPECT_EQ(w->myVLine[3]->Y1(), 368);
    EXPECT_EQ(Ends(*w->myrootline), QLine(385, 379, 385, 393)) << "the root stopped at the first split";
}

TEST_F(LineageSplitTest, DaughtersStandRightAfterTheirParentInEveryClade) {
    PressClock();
    Ticks(9);
    for (int i = 0; i < 2; ++i) ClickLizard(0);
    EXPECT_EQ(Ids(w->PopOrder), (std::vector<int>{0, 2, 1}));
    ClickLizard(0);
    EXPECT_EQ(Ids(w->PopOrder), (std::vector<int>{0, 3, 2, 1}));
    ClickLizard(1);  // the rightmost: appended
    for (int k = 0; k < 5; ++k) EXPECT_EQ(w->PopOrder[k]->Left(), 42 + 149 * k) << k;
    EXPECT_EQ(w->PopupArrowTraits[4]->Left(), 738);
    EXPECT_EQ(Ids(w->myHLine[1]->LeftEnd), (std::vector<int>{0, 3, 2}));
    EXPECT_EQ(Ids(w->myHLine[1]->RightEnd), (std::vector<int>{1, 4}));
    EXPECT_EQ(Ids(w->myHLine[2]->LeftEnd), (std::vector<int>{0, 3}));

    ClickLizard(2);
    ClickLizard(4);
    const QImage seven = w->Image();
    for (int k = 0; k < 7; ++k) ClickLizard(k);
    EXPECT_EQ(w->Image(), seven) << "no seventh split";
    EXPECT_EQ(w->numHLines, 6);
}

TEST_F(LineageSplitTest, OnlyAShownLizardIsHit) {
    ClickLizard(0);
    PressClock();
    Ticks(3);
    const auto& a = *w->myLizardCan[0];
    Click(*w, a.Left(), a.Top() + 20);  // its left column is outside
    // Hidden lizards wait at their layout places: a click there is no hit,
    // neither on the next lizard to be born nor on a later one.
    Click(*w, 621 + 55, 48 + 22);
    EXPECT_TRUE(w->myrootline->Active) << "nothing split yet";
    ClickLizard(0);
    Click(*w, 621 + 55, 90 + 22);
    Click(*w, 621 + 55, 132 + 22);
    EXPECT_EQ(Ids(w->PopOrder), (std::vector<int>{0, 1}));
    EXPECT_FALSE(w->myHLine[2]->Visible());
}

TEST_F(LineageSplitTest, TraitMarksGoOnTheRootThenOnTheLizardsOwnBranch) {
    Gain(0, 4);
    EXPECT_EQ(Ends(*w->MyTraitLine[0]), QLine(382, 388, 387, 388));
    EXPECT_EQ(w->StaticTextTrait[0]->Bounds(), QRect(390, 379, 74, 19));
    EXPECT_EQ(w->StaticTextTrait[0]->Text(), "Collar");
    EXPECT_EQ(PixelAt(*w, 384, 389), fw::RGB(0xFF, 0x92, 0x18));
    EXPECT_TRUE(w->RectangleTraits->Visible());

    PressClock();
    Ticks(30);
    ClickLizard(0);
    Gain(1, 0);  // the daughter's: the right branch
    ClickOn(*w->PopupArrowTraits[1]);
    EXPECT_EQ(w->TargetLizCan, -1) << "its label lies over the arrow and lets the press through";
    Gain(0, 5);  // the parent's: the left branch
    EXPECT_EQ(Ends(*w->MyTraitLine[1]), QLine(541, 378, 546, 378));
    EXPECT_EQ(w->StaticTextTrait[1]->Bounds(), QRect(549, 369, 74, 19));
    EXPECT_EQ(Ends(*w->MyTraitLine[2]), QLine(243, 378, 248, 378));
    Ticks(30);
    ClickLizard(0);  // the branches move, the marks with them, sideways only
    EXPECT_EQ(Ends(*w->MyTraitLine[2]), QLine(279, 378, 284, 378));
    EXPECT_EQ(w->StaticTextTrait[2]->Left(), 287);
    EXPECT_EQ(Ends(*w->MyTraitLine[1]), QLine(614, 378, 619, 378));
    EXPECT_EQ(Ends(*w->MyTraitLine[0]), QLine(382, 388, 387, 388));
    Gain(0, 7);  // on the branch of its newest split
    EXPECT_EQ(Ends(*w->MyTraitLine[3]), QLine(168, 368, 173, 368));

    // Each trait once: its box is spent for every lizard, ticked only where inherited.
    ClickOn(*w->PopupArrowTraits[2]);
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(w->CheckBoxTraits[t]->Enabled(), t != 0 && t != 4 && t != 5 && t != 7) << t;
        EXPECT_EQ(w->CheckBoxTraits[t]->Value(), t == 4 || t == 5) << t;
    }
    ClickOn(*w->CheckBoxTraits[0]);
    EXPECT_FALSE(w->myLizardCan[2]->Trait[0]);
    EXPECT_EQ(w->numTraitLines, 4);
}

}  // namespace
