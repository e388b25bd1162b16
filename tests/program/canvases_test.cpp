// The lizard canvases: the strict inside test, the cache and its copy.
#include "program_fixture.h"

namespace {

class CanvasesTest : public DesignerTest {};

TEST_F(CanvasesTest, WithinIsStrictOnLeftAndTopOnly) {
    LizardCan liz;
    NoDrawCan strip;
    liz.SetBounds(10, 20, 110, 44);
    strip.SetBounds(10, 20, 110, 44);
    const struct { int x, y; bool in; } points[] = {
        {10, 30, false}, {11, 30, true}, {119, 30, true}, {120, 30, false},
        {50, 20, false}, {50, 21, true}, {50, 63, true}, {50, 64, false},
    };
    for (auto p : points) {
        EXPECT_EQ(liz.Within(p.x, p.y), p.in) << p.x << "," << p.y;
        EXPECT_EQ(strip.within(p.x, p.y), p.in) << p.x << "," << p.y;
    }
    // The test follows a moved control.
    liz.SetLeft(200);
    EXPECT_FALSE(liz.Within(50, 30));
    EXPECT_TRUE(liz.Within(201, 30));
    EXPECT_TRUE(liz.Within(309, 63));
    EXPECT_FALSE(liz.Within(310, 30));
}

TEST_F(CanvasesTest, ControlOfWidthOrHeightZeroOrOneHoldsNoPoint) {
    for (auto [wd, ht] : {std::pair{0, 44}, {1, 44}, {110, 0}, {110, 1}, {1, 1}}) {
        LizardCan liz;
        liz.SetBounds(10, 20, wd, ht);
        for (int y = 15; y < 70; ++y)
            for (int x = 5; x < 125; ++x) ASSERT_FALSE(liz.Within(x, y)) << wd << "x" << ht << " at " << x << "," << y;
    }
}

TEST_F(CanvasesTest, OpenedLizardHasNoTraitsAndA16BitBodyCache) {
    const QImage body = ExpectedLizard({});
    for (int k = 0; k < 7; ++k) {
        const LizardCan& l = *w->MyLizardCan[k];
        for (bool t : l.Trait) EXPECT_FALSE(t);
        ASSERT_TRUE(l.Cache);
        EXPECT_EQ(l.Cache->Width(), 110);
        EXPECT_EQ(l.Cache->Height(), 44);
        EXPECT_EQ(l.Cache->Depth(), 16);
        EXPECT_EQ(CacheImage(l), body) << k;
    }
    // Open replaces the cache and clears flags set before.
    LizardCan liz;
    liz.SetBounds(0, 0, 110, 44);
    liz.Trait[3] = liz.Trait[7] = true;
    liz.Event_Open();
    for (bool t : liz.Trait) EXPECT_FALSE(t);
    EXPECT_EQ(CacheImage(liz), body);
}

TEST_F(CanvasesTest, ClearAndBlitShowWhiteOverTheWholeLizard) {
    auto& l = *w->MyLizardCan[2];
    l.ClearCache();
    EXPECT_TRUE(AllWhite(CacheImage(l)));
    EXPECT_FALSE(AllWhite(OnScreen(2))) << "clearing alone does not draw";
    l.BlitCache();
    EXPECT_TRUE(AllWhite(OnScreen(2).copy(0, 0, 100, 44)));
    EXPECT_TRUE(AllWhite(OnScreen(2).copy(0, 0, 110, 34)));
    EXPECT_EQ(w->Image(), w->RepaintedImage()) << "its arrow stays in front, over the corner";
    EXPECT_EQ(PixelAt(*w, l.Left() - 1, l.Top() + 10), fw::RGB(0xEE, 0xEE, 0xEE)) << "nothing beside it";
    EXPECT_EQ(PixelAt(*w, l.Left() + 110, l.Top() + 10), fw::RGB(0xEE, 0xEE, 0xEE));
}

TEST_F(CanvasesTest, NilCacheRaisesNilObject) {
    LizardCan liz;
    EXPECT_FALSE(liz.Cache);
    EXPECT_THROW(liz.ClearCache(), fw::NilObjectException);
    EXPECT_THROW(liz.BlitCache(), fw::NilObjectException);
}

}  // namespace
