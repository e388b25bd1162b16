// The Designer Lizards window as it opens.
#include <string>
#include <vector>

#include "program_fixture.h"
#include "resources/pictures.h"

namespace {

class DesignerLayoutTest : public DesignerTest {};

TEST_F(DesignerLayoutTest, ThirtyControlsInCreationOrder) {
    std::vector<std::pair<std::string, int>> want = {{"TreeRect", 0}};
    for (int i = 0; i < 7; ++i) want.push_back({"MyLizardCan", i});
    for (int i = 0; i < 7; ++i) want.push_back({"PopupArrowTraits", i});
    for (const char* n : {"MyNoDrawCan", "Rectangle1", "CanvasCurrentColor", "CanvasPalette", "PushButtonClear",
                          "CanvasSelectCursor", "RectangleTraits"})
        want.push_back({n, 0});
    for (int t : {7, 0, 1, 4, 5, 6, 3, 2}) want.push_back({"CheckBoxTraits", t});
    const auto& controls = w->Controls();
    ASSERT_EQ(controls.size(), 30u);
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(controls[i]->Name(), want[i].first) << i;
        EXPECT_EQ(controls[i]->Index(), want[i].second) << i;
    }
    const char* captions[] = {"Dewlap", "Head crest", "Back crest", "Tail crest",
                              "Collar", "Side blotch", "Side stripes", "Tail spots"};
    for (int t = 0; t < 8; ++t) {
        const auto& box = *w->CheckBoxTraits[t];
        EXPECT_EQ(box.Index(), t);
        EXPECT_EQ(box.Caption(), captions[t]);
        EXPECT_FALSE(box.Value());
        EXPECT_FALSE(box.Visible());
    }
}

TEST_F(DesignerLayoutTest, LizardsArrowsAndStripInPlace) {
    const int arrowLeft[7] = {103, 214, 325, 436, 547, 658, 770};
    for (int i = 0; i < 7; ++i) {
        const auto& l = *w->MyLizardCan[i];
        EXPECT_EQ(l.Index(), i);
        EXPECT_EQ(l.Left(), 3 + 111 * i);
        EXPECT_EQ(l.Top(), 92);
        EXPECT_EQ(l.Width(), 110);
        EXPECT_EQ(l.Height(), 44);
        const auto& a = *w->PopupArrowTraits[i];
        EXPECT_EQ(a.Index(), i);
        EXPECT_EQ(a.Left(), arrowLeft[i]);
        EXPECT_EQ(a.Top(), 126) << "nudged up one pixel when the stage opened";
        EXPECT_EQ(a.Facing(), 0);
        EXPECT_TRUE(SameBesideArrow(OnScreen(i), ExpectedLizard({}))) << "lizard " << i << " shows the body";
    }
    EXPECT_FALSE(w->RectangleTraits->Visible());
    // The grey stage away from the lizards, the white window below it.
    EXPECT_EQ(PixelAt(*w, 390, 30), fw::RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(PixelAt(*w, 781, 387), fw::RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(PixelAt(*w, 390, 388), fw::kWhite);
    // The palette shows the palette picture.
    ASSERT_TRUE(w->CanvasPalette->Backdrop());
    EXPECT_EQ(w->CanvasPalette->Backdrop()->Image(), Art(res::kCladeworksColors));
    EXPECT_EQ(PixelAt(*w, 351 + 30, 507 + 8), fw::Color::FromRgb32(Art(res::kCladeworksColors).pixel(30, 8)));
}

TEST_F(DesignerLayoutTest, InitialState) {
    EXPECT_FALSE(w->Resizeable);
    EXPECT_TRUE(w->CloseButton);
    EXPECT_EQ(w->TargetLizCan, -1);
    EXPECT_EQ(w->oldX, -1);
    EXPECT_EQ(w->oldY, -1);
    EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, "arrow");
    EXPECT_EQ(w->MouseCursor(), fw::ArrowCursor());
    // The colour: the palette's pixel (5, 5), on the whole swatch.
    const fw::Color first = fw::Color::FromRgb32(Art(res::kCladeworksColors).pixel(5, 5));
    EXPECT_EQ(first, fw::kBlack);
    const auto& swatch = w->CanvasCurrentColor->Backdrop();
    ASSERT_TRUE(swatch);
    EXPECT_EQ(swatch->Width(), 40);
    EXPECT_EQ(swatch->Height(), 14);
    EXPECT_EQ(PixelOf(swatch, 5, 5), first);
    EXPECT_EQ(PixelOf(swatch, 39, 13), first);
    EXPECT_EQ(PixelAt(*w, 304 + 35, 508 + 10), first);
    // The overlay: window-sized, blank, white transparent.
    ASSERT_TRUE(w->Cache);
    EXPECT_EQ(w->Cache->Width(), 782);
    EXPECT_EQ(w->Cache->Height(), 550);
    EXPECT_EQ(w->Cache->Depth(), 32);
    EXPECT_EQ(w->Cache->Transparent, 1);
    EXPECT_TRUE(AllWhite(w->Cache->Image()));
}

TEST_F(DesignerLayoutTest, ActivationOfAnUntouchedWindowChangesNothing) {
    const QImage before = w->Image();
    App().ChooseMenuItem("WindowChallenge");
    App().ChooseMenuItem("WindowDesignerlizards");
    EXPECT_EQ(App().FrontWindow(), w);
    EXPECT_EQ(w->Image(), before);
}

}  // namespace
