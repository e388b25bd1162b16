// The Evolving Lizards window: the generation clock, "Reset" and the
// two-tool strip.
#include "evolving_fixture.h"
#include "resources/pictures.h"

namespace {

using EvolvingWindowTest = EvolvingTest;

TEST_F(EvolvingWindowTest, AWholeRunRisesEveryThirdGenerationAndEndsWithDone) {
    // The clock button closes the trait panel; a press on the window does not.
    ClickOn(*w->PopupArrowTraits[0]);
    Click(*w, 600, 200);
    ASSERT_TRUE(w->RectangleTraits->Visible());
    PressClock();
    EXPECT_FALSE(w->RectangleTraits->Visible());
    EXPECT_EQ(w->TargetLizCan, 0);
    Ticks(1);
    EXPECT_EQ(w->myLizardCan[0]->Top(), 343) << "the tick reading 0 rises";
    EXPECT_EQ(w->myrootline->Y1(), 388);
    // Paused at 2 and run on: the tick reading 2 does not rise, that reading 3 does.
    Ticks(1);
    PressClock();
    Ticks(50);
    PressClock();
    Ticks(1);
    EXPECT_EQ(w->myLizardCan[0]->Top(), 343);
    Ticks(1);
    EXPECT_EQ(w->myLizardCan[0]->Top(), 342);

    Ticks(1001 - 4);
    EXPECT_EQ(w->PushButtonFastFwd->Caption(), "Pause");
    Ticks(1);
    EXPECT_EQ(w->PushButtonFastFwd->Caption(), "Done");
    EXPECT_FALSE(w->PushButtonFastFwd->Enabled());
    EXPECT_EQ(App().Clock().Now(), 100 * (1002 + 50)) << "1002 ticks of running";
    const QImage done = w->Image();
    Ticks(300);
    ClickLizard(0);
    EXPECT_EQ(w->Image(), done) << "nothing moves or splits after it";
    EXPECT_EQ(w->CountUp->Text(), "1001");
    EXPECT_EQ(w->myLizardCan[0]->Top(), 10);
    EXPECT_EQ(w->PopupArrowTraits[0]->Top(), 44);
    EXPECT_EQ(w->RectangleTraits->Top(), 58);
    for (int t = 0; t < 8; ++t) EXPECT_EQ(w->CheckBoxTraits[t]->Top(), 66 + 17 * t) << t;
    EXPECT_EQ(Ends(*w->myrootline), QLine(385, 55, 385, 393));
    // The panel opens where the clock has raised it, under the lizard.
    ClickOn(*w->PopupArrowTraits[0]);
    EXPECT_EQ(w->RectangleTraits->Bounds(), QRect(328, 58, 110, 152));
    EXPECT_EQ(w->CheckBoxTraits[7]->Bounds(), QRect(342, 185, 80, 20));
}

TEST_F(EvolvingWindowTest, ResetMidRunGivesAStoppedClockAtZeroWithOneLizard) {
    PressClock();
    Ticks(90);
    ClickLizard(0);
    Gain(1, 2);
    EXPECT_TRUE(App().ChooseMenuItem("FileReset"));
    auto fresh = Find<WindowTreeClass>();
    ASSERT_NE(fresh, w);
    Ticks(30);
    // Only the stage, the ancestor with its arrow, the root, the strip and "Run".
    std::vector<std::string> shown;
    for (auto& c : fresh->Controls())
        if (c->Visible()) shown.push_back(c->Name());
    EXPECT_EQ(shown, (std::vector<std::string>{"TreeRect", "myLizardCan", "PushButtonFastFwd", "PopupArrowTraits",
                                               "MyNoDrawCan", "Rectangle1", "CanvasCurrentColor", "CanvasPalette",
                                               "PushButtonClear", "CanvasSelectCursor", "myrootline"}));
    EXPECT_EQ(fresh->PushButtonFastFwd->Caption(), "Run");
    EXPECT_EQ(fresh->CountUp->Text(), "0");
    EXPECT_EQ(fresh->myLizardCan[0]->Bounds(), QRect(328, 344, 110, 44));
    EXPECT_EQ(fresh->PopupArrowTraits[0]->Bounds(), QRect(428, 378, 10, 10));
    EXPECT_EQ(Ids(fresh->PopOrder), std::vector<int>{0});
    EXPECT_TRUE(fresh->CheckBoxTraits[2]->Enabled());
    EXPECT_EQ(w->CountUp->Text(), "90") << "the old clock went with its window";
}

TEST_F(EvolvingWindowTest, TwoToolsAndAMarkerThatRestsWhileTheClockRuns) {
    const auto& s = *w->CanvasSelectCursor;
    // Its selector stands a row higher than in the other windows: its frame starts on row 504.
    EXPECT_EQ(s.Bounds(), QRect(226, 503, 45, 23));
    EXPECT_EQ(PixelAt(*w, 226 + 5, 504), fw::kBlack);
    EXPECT_NE(PixelAt(*w, 226 + 5, 503), fw::kBlack);
    ClickOn(*w->PopupArrowTraits[0]);
    ChooseTool(22);
    EXPECT_EQ(s.CurrentCursor, "marker");
    EXPECT_EQ(w->MouseCursor(), MarkerCursor());
    EXPECT_TRUE(w->RectangleTraits->Visible() && w->PopupArrowTraits[0]->Facing() == 3) << "left open";
    ChooseTool(21);
    EXPECT_EQ(s.CurrentCursor, "arrow");
    ChooseTool(500);

    auto stroke = [&](int y) {
        Drag(*w, {{100, y}, {100, y}, {200, y}});
        return PixelOf(w->Cache, 150, y) != fw::kWhite;
    };
    PressClock();
    EXPECT_FALSE(stroke(150)) << "while Pause shows";
    EXPECT_EQ(w->oldX, -1);
    PressClock();
    EXPECT_TRUE(stroke(170)) << "after Pause";
    PressClock();
    Ticks(1002);
    EXPECT_TRUE(stroke(190)) << "after Done";
}

// A stroke drawn while paused stays on screen while lizards rise through it,
// split and are respaced over it.
TEST_F(EvolvingWindowTest, StrokesStayThroughTheRunAndItsSplits) {
    ChooseTool(55);
    Drag(*w, {{150, 330}, {150, 330}, {650, 330}, {650, 250}});
    ASSERT_NE(PixelOf(w->Cache, 383, 330), fw::kWhite);
    PressClock();
    Ticks(30);
    ClickLizard(0);
    EXPECT_TRUE(StrokesShown()) << "first split";
    Ticks(30);
    ClickLizard(1);
    Ticks(60);  // the lizards rise past the stroke
    EXPECT_TRUE(StrokesShown()) << "second split and rising";
    PressClock();
    EXPECT_TRUE(StrokesShown()) << "paused";
}

}  // namespace
