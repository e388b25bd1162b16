// The tool strip: tool choice, colour pick, marker strokes, Clear, cursors.
#include "program_fixture.h"
#include "resources/pictures.h"

namespace {

constexpr fw::Color kStage = fw::RGB(0xEE, 0xEE, 0xEE);
constexpr fw::Color kGrey = fw::RGB(150, 150, 150);
constexpr fw::Color kRed = fw::RGB(0xDC, 0x1E, 0x1E);  // palette at (26, 8)

class ToolStripTest : public DesignerTest {
protected:
    void ReleaseOnSelectorAt(int x) {
        const auto& s = *w->CanvasSelectCursor;
        w->HandleMouseDown(s.Left() + 30, s.Top() + 10);
        w->HandleMouseUp(x, s.Top() + 10);
    }
    void PickColour(int x, int y) { Click(*w, w->CanvasPalette->Left() + x, w->CanvasPalette->Top() + y); }
    fw::Color Swatch() const { return PixelOf(w->CanvasCurrentColor->Backdrop(), 5, 5); }
    fw::Color Overlay(int x, int y) const { return PixelOf(w->Cache, x, y); }
    // A selector cell's inside corner, in window coordinates: grey when selected.
    fw::Color CellCorner(int cell) const { return PixelAt(*w, 217 + 2 + 22 * cell, 504 + 2); }
};

TEST_F(ToolStripTest, ReleaseXChoosesTheTool) {
    const struct { int x; const char* tool; } cases[] = {
        {217 + 21, "arrow"}, {217 + 22, "hand"}, {217 + 43, "hand"}, {217 + 44, "marker"},
        {100, "arrow"}, {780, "marker"},
    };
    for (auto c : cases) {
        ReleaseOnSelectorAt(c.x);
        EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, c.tool) << c.x;
    }
    ChooseTool(kHand);
    EXPECT_EQ(w->MouseCursor(), HandCursor()) << "set at once, pointer still over the selector";
    ChooseTool(kMarker);
    EXPECT_EQ(w->MouseCursor(), MarkerCursor());
    ChooseTool(kArrow);
    EXPECT_EQ(w->MouseCursor(), fw::ArrowCursor());
}

TEST_F(ToolStripTest, SelectedCellIsGreyBehindItsIcon) {
    EXPECT_EQ(CellCorner(0), kGrey);
    EXPECT_EQ(CellCorner(1), fw::kWhite);
    EXPECT_EQ(CellCorner(2), fw::kWhite);
    EXPECT_EQ(PixelAt(*w, 217 + 1, 504 + 1), fw::kBlack) << "cell frame";
    ChooseTool(kMarker);
    EXPECT_EQ(CellCorner(0), fw::kWhite);
    EXPECT_EQ(CellCorner(2), kGrey);
    // Wherever the marker icon is white, the grey shows.
    const QImage icon = Art(res::kIconMarker);
    int greyInIcon = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const fw::Color seen = PixelAt(*w, 217 + 47 + x, 504 + 3 + y);
            if ((icon.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu) {
                EXPECT_EQ(seen, kGrey) << x << "," << y;
                ++greyInIcon;
            } else {
                EXPECT_EQ(seen, fw::Color::FromRgb32(icon.pixel(x, y))) << x << "," << y;
            }
        }
    EXPECT_GT(greyInIcon, 0);
}

TEST_F(ToolStripTest, SameToolAgainClosesPanelAndRenewsBackdrop) {
    ClickOn(*w->PopupArrowTraits[2]);
    ASSERT_TRUE(PanelShown());
    const auto before = w->CanvasSelectCursor->Backdrop();
    ChooseTool(kArrow);
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Facings(), (std::array<int, 7>{}));
    EXPECT_EQ(w->TargetLizCan, 2);
    EXPECT_NE(w->CanvasSelectCursor->Backdrop(), before);
    EXPECT_EQ(CellCorner(0), kGrey);
}

TEST_F(ToolStripTest, MarkerDrawsOnWindowAndOverlayInTheSwatchColour) {
    ChooseTool(kMarker);
    w->HandleMouseDown(100, 200);
    w->HandleMouseMove(150, 200);
    EXPECT_EQ(w->oldX, 150);
    EXPECT_EQ(w->oldY, 200);
    EXPECT_TRUE(AllWhite(w->Cache->Image())) << "the first drag only records";
    w->HandleMouseMove(170, 200);
    w->HandleMouseUp(170, 200);
    EXPECT_EQ(w->oldX, -1);
    EXPECT_EQ(w->oldY, -1);
    // 2 by 2 pen hanging right and down; the stroke starts at the first drag point.
    for (auto [x, y] : {std::pair{150, 200}, {160, 201}, {171, 201}}) {
        EXPECT_EQ(PixelAt(*w, x, y), fw::kBlack) << x << "," << y;
        EXPECT_EQ(Overlay(x, y), fw::kBlack) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{160, 199}, {160, 202}, {172, 200}, {149, 200}, {120, 200}}) {
        EXPECT_EQ(PixelAt(*w, x, y), kStage) << x << "," << y;
        EXPECT_EQ(Overlay(x, y), fw::kWhite) << x << "," << y;
    }

    // A colour picked between strokes applies to the next one.
    PickColour(26, 8);
    EXPECT_EQ(Swatch(), kRed);
    EXPECT_EQ(PixelAt(*w, 304 + 20, 508 + 7), kRed) << "the swatch shows it";
    EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, "marker");
    Drag(*w, {{100, 250}, {100, 250}, {130, 250}});
    EXPECT_EQ(Overlay(115, 250), kRed);
    EXPECT_EQ(PixelAt(*w, 115, 250), kRed);
    EXPECT_EQ(Overlay(160, 200), fw::kBlack) << "earlier stroke keeps its colour";

    // Over a lizard too: the press goes to the window and nothing moves.
    const int left = w->MyLizardCan[1]->Left();
    Drag(*w, {{150, 110}, {150, 110}, {180, 110}});
    EXPECT_EQ(w->MyLizardCan[1]->Left(), left);
    EXPECT_EQ(Overlay(165, 110), kRed);
    EXPECT_EQ(PixelAt(*w, 165, 110), kRed);
}

TEST_F(ToolStripTest, NoSegmentEndsInsideTheStrip) {
    ChooseTool(kMarker);
    Drag(*w, {{300, 470}, {300, 470}, {300, 490}, {300, 510}, {320, 515}, {320, 545}});
    EXPECT_EQ(Overlay(300, 480), fw::kBlack);
    EXPECT_EQ(Overlay(300, 500), fw::kWhite) << "segment ending inside";
    EXPECT_EQ(Overlay(310, 512), fw::kWhite) << "segment inside";
    EXPECT_EQ(Overlay(320, 530), fw::kBlack) << "segment leaving from the last point inside";
    EXPECT_EQ(Overlay(320, 516), fw::kBlack);
    EXPECT_EQ(PixelAt(*w, 320, 530), fw::kBlack);
    // Points on the strip's border are outside.
    Drag(*w, {{180, 540}, {180, 540}, {205, 540}, {205, 520}});
    EXPECT_EQ(Overlay(205, 530), fw::kBlack);
    Drag(*w, {{600, 480}, {600, 480}, {574, 498}});
    EXPECT_EQ(Overlay(574, 498), fw::kBlack);
    Drag(*w, {{600, 505}, {600, 505}, {573, 505}});
    EXPECT_EQ(Overlay(590, 505), fw::kWhite);
}

TEST_F(ToolStripTest, ArrowAndHandDragsDrawNothing) {
    for (int tool : {kArrow, kHand}) {
        ChooseTool(tool);
        const QImage chosen = w->Image();
        w->HandleMouseDown(400, 300);
        w->HandleMouseMove(400, 300);
        w->HandleMouseMove(450, 320);
        EXPECT_EQ(w->oldX, -1);
        EXPECT_EQ(w->oldY, -1);
        w->HandleMouseUp(450, 320);
        EXPECT_EQ(w->Image(), chosen) << tool;
    }
    EXPECT_TRUE(AllWhite(w->Cache->Image()));
}

TEST_F(ToolStripTest, StrokesOutliveRepaintsAndActivationWhiteOnesDoNot) {
    ChooseTool(kMarker);
    Drag(*w, {{400, 200}, {400, 200}, {440, 200}});
    // Pure white: on the window now, not in the overlay.
    auto& swatch = *w->CanvasCurrentColor->Backdrop();
    swatch.Graphics().ForeColor = fw::kWhite;
    swatch.Graphics().FillRect(0, 0, swatch.Width(), swatch.Height());
    Drag(*w, {{400, 250}, {400, 250}, {440, 250}});
    EXPECT_EQ(PixelAt(*w, 420, 250), fw::kWhite);
    EXPECT_EQ(Overlay(420, 250), fw::kWhite);

    w->Refresh(true);  // as when another window covered it
    EXPECT_EQ(PixelAt(*w, 420, 200), fw::kBlack) << "no repaint wipes a stroke";
    EXPECT_EQ(PixelAt(*w, 420, 250), kStage) << "the overlay holds no white";
    App().ChooseMenuItem("WindowEvolvinglizards");
    App().ChooseMenuItem("WindowDesignerlizards");
    EXPECT_EQ(PixelAt(*w, 420, 200), fw::kBlack);
    EXPECT_EQ(PixelAt(*w, 420, 250), kStage);

    w->Event_Activate();
    EXPECT_EQ(PixelAt(*w, 420, 200), fw::kBlack);
}

// Nothing but "Clear" takes a stroke off the screen: not the panel going,
// not a lizard redrawn with a trait, not a lizard dragged along it.
TEST_F(ToolStripTest, AStrokeAcrossLizardsStaysOnScreen) {
    ChooseTool(kMarker);
    PickColour(26, 8);
    Drag(*w, {{240, 110}, {240, 110}, {540, 110}});  // across lizards 2 to 4
    ASSERT_EQ(Overlay(390, 110), kRed);
    ClickOn(*w->PopupArrowTraits[3]);
    ClickOn(*w->PopupArrowTraits[3]);
    EXPECT_TRUE(StrokesShown()) << "panel opened and closed";
    ClickOn(*w->PopupArrowTraits[3]);
    ClickOn(*w->CheckBoxTraits[4]);
    EXPECT_TRUE(StrokesShown()) << "lizard 3 given a trait";
    EXPECT_EQ(PixelAt(*w, 390, 110), kRed);
    ChooseTool(kHand);
    Drag(*w, {{245, 110}, {300, 112}, {420, 108}, {520, 110}});
    EXPECT_TRUE(StrokesShown()) << "lizard 2 dragged along it";
    EXPECT_EQ(w->MyLizardCan[2]->Left(), 225 + 275);
}

TEST_F(ToolStripTest, ClearWipesWindowAndOverlayOnly) {
    ChooseTool(kMarker);
    PickColour(26, 8);
    Drag(*w, {{400, 200}, {400, 200}, {440, 200}});
    ClickOn(*w->PopupArrowTraits[1]);
    const QImage lizard = OnScreen(1);
    ClickOn(*w->PushButtonClear);
    EXPECT_TRUE(AllWhite(w->Cache->Image()));
    EXPECT_EQ(PixelAt(*w, 420, 200), kStage);
    EXPECT_EQ(OnScreen(1), lizard) << "controls are repainted";
    EXPECT_TRUE(PanelShown()) << "Clear leaves the panel";
    EXPECT_EQ(w->TargetLizCan, 1);
    EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, "marker");
    EXPECT_EQ(Swatch(), kRed);
    App().ChooseMenuItem("WindowChallenge");
    App().ChooseMenuItem("WindowDesignerlizards");
    EXPECT_EQ(PixelAt(*w, 420, 200), kStage);
}

TEST_F(ToolStripTest, PointerOverStripArrowsAndPanelShowsTheArrow) {
    ChooseTool(kHand);
    const auto hand = HandCursor();
    auto over = [&](int x, int y) {
        w->HandleMouseMove(x, y);
        return w->MouseCursor();
    };
    EXPECT_EQ(over(400, 300), hand);
    EXPECT_EQ(over(400, 515), fw::ArrowCursor()) << "palette";
    EXPECT_EQ(over(400, 450), hand);
    EXPECT_EQ(over(520, 515), fw::ArrowCursor()) << "Clear";
    EXPECT_EQ(over(520, 450), hand);
    EXPECT_EQ(over(230, 515), fw::ArrowCursor()) << "selector";
    EXPECT_EQ(over(320, 515), hand) << "swatch has no handler: back to the tool";
    EXPECT_EQ(over(108, 131), fw::ArrowCursor()) << "pop-up arrow";
    EXPECT_EQ(over(60, 110), hand) << "lizard has no handler";
    ClickOn(*w->PopupArrowTraits[0]);
    EXPECT_EQ(over(400, 300), hand);
    EXPECT_EQ(over(108, 200), fw::ArrowCursor()) << "panel";
    EXPECT_EQ(over(400, 300), hand);
    ChooseTool(kMarker);
    EXPECT_EQ(over(400, 515), fw::ArrowCursor());
    EXPECT_EQ(over(400, 300), MarkerCursor());
}

}  // namespace
