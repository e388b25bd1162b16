#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "framework/graphics.h"

using namespace fw;

namespace {

using PointSet = std::set<std::pair<int, int>>;

// A one-pixel Bresenham line written the textbook way (separate shallow and
// steep walks, endpoints swapped to walk forward), to check DrawLine against.
PointSet ReferenceLine(long long x0, long long y0, long long x1, long long y1) {
    PointSet pts;
    auto shallow = [&](long long ax, long long ay, long long bx, long long by) {
        long long dx = bx - ax, dy = by - ay, yi = 1;
        if (dy < 0) { yi = -1; dy = -dy; }
        long long d = 2 * dy - dx, y = ay;
        for (long long x = ax; x <= bx; ++x) {
            pts.insert({int(x), int(y)});
            if (d > 0) { y += yi; d += 2 * (dy - dx); } else { d += 2 * dy; }
        }
    };
    auto steep = [&](long long ax, long long ay, long long bx, long long by) {
        long long dx = bx - ax, dy = by - ay, xi = 1;
        if (dx < 0) { xi = -1; dx = -dx; }
        long long d = 2 * dx - dy, x = ax;
        for (long long y = ay; y <= by; ++y) {
            pts.insert({int(x), int(y)});
            if (d > 0) { x += xi; d += 2 * (dx - dy); } else { d += 2 * dx; }
        }
    };
    if (std::llabs(y1 - y0) < std::llabs(x1 - x0)) {
        if (x0 > x1) shallow(x1, y1, x0, y0); else shallow(x0, y0, x1, y1);
    } else {
        if (y0 > y1) steep(x1, y1, x0, y0); else steep(x0, y0, x1, y1);
    }
    return pts;
}

// Every pixel a pen of w x h covers when laid at each point, within bounds.
PointSet WithPen(const PointSet& line, int w, int h, QRect bounds) {
    PointSet out;
    for (auto [x, y] : line)
        for (int dy = 0; dy < h; ++dy)
            for (int dx = 0; dx < w; ++dx)
                if (bounds.contains(x + dx, y + dy)) out.insert({x + dx, y + dy});
    return out;
}

PointSet RectPixels(int x, int y, int w, int h) {
    PointSet out;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) out.insert({i, j});
    return out;
}

// Pixels of the picture (read through Graphics) that are not white.
PointSet Marked(Picture& p) {
    PointSet out;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.Graphics().Pixel(x, y) != kWhite) out.insert({x, y});
    return out;
}

Color QtColor(const QImage& img, int x, int y) { return Color::FromRgb32(img.pixel(x, y)); }

// A canvas-like surface: its 0,0 lies at an offset in a shared image and it
// may draw only inside clip. Records what it is told has changed.
class TestSurface : public Surface {
public:
    TestSurface(QImage* image, QPoint origin, QRect clip) : image_(image), origin_(origin), clip_(clip) {}
    QImage* SurfaceImage() override { return image_; }
    QPoint SurfaceOrigin() const override { return origin_; }
    QRect SurfaceClip() const override { return clip_; }
    void SurfaceChanged(const QRect& r) override { changed.push_back(r); }
    std::vector<QRect> changed;

private:
    QImage* image_;
    QPoint origin_;
    QRect clip_;
};

}  // namespace

// ---- Pictures ------------------------------------------------------------

TEST(PictureTest, NewPicturesAreWhiteWithABlackPen) {
    for (int depth : {16, 32}) {
        auto p = NewPicture(7, 5, depth);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Depth(), depth);
        EXPECT_EQ(p->Image().format(), depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32);
        EXPECT_EQ(p->Width(), 7);
        EXPECT_EQ(p->Height(), 5);
        EXPECT_TRUE(Marked(*p).empty());
        EXPECT_EQ(p->Graphics().ForeColor, kBlack);
        EXPECT_EQ(p->Transparent, 0);
    }
}

TEST(PictureTest, InvalidSizesGiveAnEmptyPictureThatIgnoresDrawing) {
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 4}, {0, 0}}) {
        Picture p(w, h, 32);
        EXPECT_TRUE(p.Image().isNull());
        Graphics& g = p.Graphics();
        g.UseOldRenderer = true;
        g.DrawLine(0, 0, 10, 10);
        g.UseOldRenderer = false;
        g.DrawLine(0, 0, 10, 10);
        g.FillRect(0, 0, 10, 10);
        g.DrawRect(0, 0, 10, 10);
        g.DrawPicture(NewPicture(3, 3, 32), 0, 0);
        EXPECT_EQ(g.Pixel(0, 0), kWhite);
    }
    // And drawing an empty picture onto a real one leaves it alone.
    auto dst = NewPicture(4, 4, 32);
    dst->Graphics().DrawPicture(NewPicture(0, 0, 32), 0, 0);
    EXPECT_TRUE(Marked(*dst).empty());
}

// The overlay that lies over a window is laid only where this says it may
// hold other than white: too small a rectangle would lose strokes.
TEST(PictureTest, InkBoundsHoldEveryPixelThatIsNotWhite) {
    auto p = NewPicture(100, 50, 32);
    EXPECT_TRUE(p->InkBounds().isEmpty());
    p->Graphics().UseOldRenderer = true;
    p->Graphics().PenWidth = p->Graphics().PenHeight = 2;
    p->Graphics().DrawLine(10, 40, 30, 5);
    p->Graphics().FillRect(90, 45, 30, 30);  // clipped at the corner
    EXPECT_EQ(p->InkBounds(), QRect(QPoint(10, 5), QPoint(99, 49)));
    // Filled all white it is empty again; filled in a colour, all ink.
    p->Graphics().ForeColor = kWhite;
    p->Graphics().FillRect(0, 0, 100, 50);
    EXPECT_TRUE(p->InkBounds().isEmpty());
    p->Graphics().ForeColor = RGB(1, 2, 3);
    p->Graphics().FillRect(-5, -5, 200, 200);
    EXPECT_EQ(p->InkBounds(), QRect(0, 0, 100, 50));
    // A picture made from an image is looked through once.
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(3, 7, 0xFF000000u);
    img.setPixel(15, 2, 0xFF0000FFu);
    EXPECT_EQ(Picture(img).InkBounds(), QRect(QPoint(3, 2), QPoint(15, 7)));
}

TEST(PictureTest, FromImageIsOpaqueRgb32OnWhite) {
    QImage src(3, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(200, 10, 20, 255));
    src.setPixel(1, 0, qRgba(0, 0, 0, 0));        // fully see-through
    src.setPixel(2, 0, qRgba(12, 34, 56, 0));     // see-through, colour ignored
    Picture p(src);
    EXPECT_EQ(p.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(p.Depth(), 32);
    EXPECT_EQ(p.Graphics().Pixel(0, 0), RGB(200, 10, 20));
    EXPECT_EQ(p.Graphics().Pixel(1, 0), kWhite);
    EXPECT_EQ(p.Graphics().Pixel(2, 0), kWhite);

    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(250, 251, 252)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    Picture q(indexed);
    EXPECT_EQ(q.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(q.Graphics().Pixel(0, 0), RGB(250, 251, 252));
    EXPECT_EQ(q.Graphics().Pixel(1, 0), RGB(1, 2, 3));

    EXPECT_TRUE(Picture(QImage()).Image().isNull());
}

// ---- Lines with the old renderer -----------------------------------------

TEST(OldLineTest, OnePixelPenFollowsBresenhamEitherWay) {
    const std::vector<std::array<int, 4>> lines = {
        {2, 3, 25, 11}, {2, 3, 9, 28}, {25, 2, 3, 14}, {4, 28, 20, 1}, {0, 0, 29, 29},
        {29, 0, 0, 29}, {5, 7, 5, 7}, {3, 9, 26, 9}, {14, 2, 14, 27}, {0, 0, 2, 1},
    };
    for (auto [x1, y1, x2, y2] : lines) {
        const PointSet want = ReferenceLine(x1, y1, x2, y2);
        for (bool reversed : {false, true}) {
            auto p = NewPicture(30, 30, 32);
            p->Graphics().UseOldRenderer = true;
            if (reversed) p->Graphics().DrawLine(x2, y2, x1, y1);
            else p->Graphics().DrawLine(x1, y1, x2, y2);
            EXPECT_EQ(Marked(*p), want) << x1 << ',' << y1 << " - " << x2 << ',' << y2
                                        << (reversed ? " reversed" : "");
        }
    }
}

TEST(OldLineTest, TwoByTwoPenCoversTheLineAndItsLowerRightNeighbours) {
    for (int depth : {32, 16}) {
        for (auto [x1, y1, x2, y2] : {std::array{3, 2, 20, 9}, {5, 5, 16, 5}, {6, 20, 9, 3}, {8, 8, 8, 8}}) {
            auto p = NewPicture(24, 24, depth);
            Graphics& g = p->Graphics();
            g.UseOldRenderer = true;
            g.PenWidth = g.PenHeight = 2;
            g.ForeColor = RGB(255, 0, 0);
            g.DrawLine(x1, y1, x2, y2);
            const PointSet line = ReferenceLine(x1, y1, x2, y2);
            PointSet want;
            for (auto [x, y] : line)
                for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) want.insert({x + dx, y + dy});
            EXPECT_EQ(Marked(*p), want) << "depth " << depth << " from " << x1 << ',' << y1;
            for (auto [x, y] : want) EXPECT_EQ(g.Pixel(x, y), RGB(255, 0, 0));
        }
    }
}

TEST(OldLineTest, UnevenPenHangsRightAndDown) {
    auto p = NewPicture(20, 20, 32);
    Graphics& g = p->Graphics();
    g.UseOldRenderer = true;
    g.PenWidth = 3;
    g.PenHeight = 1;
    g.DrawLine(4, 2, 4, 10);
    EXPECT_EQ(Marked(*p), RectPixels(4, 2, 3, 9));
}

TEST(OldLineTest, ClipsAtEveryEdgeLikeTheUnclippedLine) {
    const QRect bounds(0, 0, 40, 30);
    const std::vector<std::array<int, 4>> lines = {
        {-50, -30, 900, 700}, {900, 700, -50, -30}, {-7, 35, 45, -12}, {-3, -100, 20, 300},
        {39, -5, 39, 40},     {-10, 29, 60, 29},    {-100, 5, -1, 5},  {41, 0, 90, 25},
    };
    for (auto [x1, y1, x2, y2] : lines) {
        auto p = NewPicture(bounds.width(), bounds.height(), 32);
        Graphics& g = p->Graphics();
        g.UseOldRenderer = true;
        g.PenWidth = g.PenHeight = 2;
        g.DrawLine(x1, y1, x2, y2);
        EXPECT_EQ(Marked(*p), WithPen(ReferenceLine(x1, y1, x2, y2), 2, 2, bounds))
            << x1 << ',' << y1 << " - " << x2 << ',' << y2;
    }
}

TEST(OldLineTest, FarAwayEndpointsAreExactAndQuick) {
    const QRect bounds(0, 0, 40, 30);
    // A long shallow line whose visible part begins thousands of steps in.
    auto p = NewPicture(40, 30, 32);
    p->Graphics().UseOldRenderer = true;
    p->Graphics().DrawLine(-100000, -50003, 100000, 49999);
    EXPECT_EQ(Marked(*p), WithPen(ReferenceLine(-100000, -50003, 100000, 49999), 1, 1, bounds));

    // Endpoints near the limits of int: no overflow, and no walk of 4e9 steps.
    auto q = NewPicture(40, 30, 32);
    q->Graphics().UseOldRenderer = true;
    q->Graphics().DrawLine(INT_MIN, 10, INT_MAX, 10);
    EXPECT_EQ(Marked(*q), RectPixels(0, 10, 40, 1));

    auto r = NewPicture(40, 30, 32);
    r->Graphics().UseOldRenderer = true;
    r->Graphics().DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // passes by 0,0 diagonally
    PointSet diagonal;
    for (int i = 0; i < 30; ++i) diagonal.insert({i, i});
    EXPECT_EQ(Marked(*r), diagonal);
}

TEST(SmoothLineTest, StaysNearTheLine) {
    auto p = NewPicture(40, 20, 32);
    Graphics& g = p->Graphics();
    g.PenWidth = g.PenHeight = 2;
    g.DrawLine(5, 10, 34, 10);
    const PointSet marked = Marked(*p);
    EXPECT_FALSE(marked.empty());
    EXPECT_EQ(g.Pixel(20, 10), kBlack);
    for (auto [x, y] : marked) {
        EXPECT_GE(x, 3);
        EXPECT_LE(x, 37);
        EXPECT_GE(y, 8);
        EXPECT_LE(y, 13);
    }
}

// ---- Rectangles ------------------------------------------------------------

TEST(RectTest, FrameCoversFirstToLastPixelInclusive) {
    auto p = NewPicture(20, 20, 32);
    p->Graphics().DrawRect(2, 3, 5, 4);
    PointSet want = RectPixels(2, 3, 5, 4);
    for (auto inner : RectPixels(3, 4, 3, 2)) want.erase(inner);
    EXPECT_EQ(Marked(*p), want);
}

TEST(RectTest, ThickFramesUsePenWidthForSidesAndPenHeightForTopAndBottom) {
    auto p = NewPicture(20, 20, 16);
    Graphics& g = p->Graphics();
    g.PenWidth = 2;
    g.PenHeight = 3;
    g.DrawRect(1, 1, 10, 9);
    PointSet want = RectPixels(1, 1, 10, 9);
    for (auto inner : RectPixels(3, 4, 6, 3)) want.erase(inner);
    EXPECT_EQ(Marked(*p), want);

    // A pen as thick as the rectangle fills it.
    auto q = NewPicture(20, 20, 32);
    q->Graphics().PenWidth = q->Graphics().PenHeight = 3;
    q->Graphics().DrawRect(4, 4, 5, 6);
    EXPECT_EQ(Marked(*q), RectPixels(4, 4, 5, 6));
}

TEST(RectTest, FillCoversExactlyTheRectangle) {
    for (int depth : {16, 32}) {
        auto p = NewPicture(20, 20, depth);
        p->Graphics().ForeColor = RGB(0, 0, 255);
        p->Graphics().FillRect(2, 3, 5, 4);
        EXPECT_EQ(Marked(*p), RectPixels(2, 3, 5, 4));
        EXPECT_EQ(p->Graphics().Pixel(6, 6), RGB(0, 0, 255));
    }
}

TEST(RectTest, EmptyOrNegativeSizesDrawNothing) {
    auto p = NewPicture(10, 10, 32);
    Graphics& g = p->Graphics();
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-4, 5}, {5, -1}}) {
        g.DrawRect(2, 2, w, h);
        g.FillRect(2, 2, w, h);
    }
    EXPECT_TRUE(Marked(*p).empty());
}

TEST(RectTest, ClipsAtEdgesAndFarCoordinates) {
    auto p = NewPicture(10, 8, 32);
    Graphics& g = p->Graphics();
    g.FillRect(-5, -5, 8, 7);
    EXPECT_EQ(Marked(*p), RectPixels(0, 0, 3, 2));

    auto q = NewPicture(10, 8, 32);
    q->Graphics().DrawRect(-1, -1, 12, 10);  // frame just outside: nothing shows
    EXPECT_TRUE(Marked(*q).empty());
    q->Graphics().DrawRect(-1, -1, 11, 9);   // right and bottom sides show
    PointSet want = RectPixels(9, 0, 1, 8);
    for (auto pt : RectPixels(0, 7, 10, 1)) want.insert(pt);
    EXPECT_EQ(Marked(*q), want);

    auto r = NewPicture(10, 8, 32);
    r->Graphics().FillRect(INT_MAX - 2, INT_MAX - 2, INT_MAX, INT_MAX);
    r->Graphics().FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    r->Graphics().DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_TRUE(Marked(*r).empty());
    r->Graphics().FillRect(-1000000000, 6, INT_MAX, 1000);
    EXPECT_EQ(Marked(*r), RectPixels(0, 6, 10, 2));
}

// ---- Pictures drawn on pictures ------------------------------------------

namespace {

// Near-white colours, one channel each a single 5-6-5 step short of full,
// so they stay short of white at both depths.
const std::pair<QPoint, Color> kNearWhites[] = {
    {{0, 2}, RGB(247, 255, 255)}, {{2, 2}, RGB(255, 251, 255)}, {{3, 0}, RGB(255, 255, 247)}};

// 4x3: white everywhere but a red pixel at 1,1 and the near-white ones.
PicturePtr Sprite(int depth, int transparent) {
    auto s = NewPicture(4, 3, depth);
    s->Graphics().ForeColor = RGB(255, 0, 0);
    s->Graphics().FillRect(1, 1, 1, 1);
    for (auto [pt, c] : kNearWhites) {
        s->Graphics().ForeColor = c;
        s->Graphics().FillRect(pt.x(), pt.y(), 1, 1);
    }
    s->Transparent = transparent;
    return s;
}

PicturePtr Blue(int w, int h, int depth) {
    auto p = NewPicture(w, h, depth);
    p->Graphics().ForeColor = RGB(0, 0, 255);
    p->Graphics().FillRect(0, 0, w, h);
    return p;
}

}  // namespace

TEST(DrawPictureTest, TransparentSkipsOnlyPureWhite) {
    for (int srcDepth : {32, 16}) {
        for (int dstDepth : {32, 16}) {
            auto dst = Blue(8, 6, dstDepth);
            auto src = Sprite(srcDepth, 1);
            dst->Graphics().DrawPicture(src, 2, 1);
            Graphics& g = dst->Graphics();
            PointSet nearWhite;
            for (auto [pt, c] : kNearWhites) {
                nearWhite.insert({pt.x() + 2, pt.y() + 1});
                const Color got = g.Pixel(pt.x() + 2, pt.y() + 1);
                EXPECT_NE(got, kWhite) << c.r << ',' << c.g << ',' << c.b;
                EXPECT_NE(got, RGB(0, 0, 255)) << c.r << ',' << c.g << ',' << c.b;
                if (srcDepth == dstDepth) {
                    EXPECT_EQ(got, src->Graphics().Pixel(pt.x(), pt.y()));
                }
            }
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 8; ++x) {
                    if (nearWhite.count({x, y})) continue;
                    const Color want = x == 3 && y == 2 ? RGB(255, 0, 0) : RGB(0, 0, 255);
                    EXPECT_EQ(g.Pixel(x, y), want) << x << ',' << y << " src " << srcDepth << " dst " << dstDepth;
                }
        }
    }
}

TEST(DrawPictureTest, OpaqueCopiesWhiteToo) {
    for (int srcDepth : {32, 16}) {
        for (int dstDepth : {32, 16}) {
            auto dst = Blue(8, 6, dstDepth);
            dst->Graphics().DrawPicture(Sprite(srcDepth, 0), 2, 1);
            Graphics& g = dst->Graphics();
            EXPECT_EQ(g.Pixel(2, 1), kWhite);
            EXPECT_EQ(g.Pixel(5, 3), kWhite);
            EXPECT_EQ(g.Pixel(3, 2), RGB(255, 0, 0));
            EXPECT_EQ(g.Pixel(1, 1), RGB(0, 0, 255));
            EXPECT_EQ(g.Pixel(6, 1), RGB(0, 0, 255));
            EXPECT_EQ(g.Pixel(2, 4), RGB(0, 0, 255));
        }
    }
}

TEST(DrawPictureTest, NilPictureDrawsNothing) {
    auto dst = Blue(4, 4, 32);
    dst->Graphics().DrawPicture(nullptr, 0, 0);
    EXPECT_EQ(dst->Graphics().Pixel(0, 0), RGB(0, 0, 255));
}

TEST(DrawPictureTest, ClipsAtEveryEdge) {
    // A 6x5 gradient drawn so that it hangs over each edge of a 5x4 target.
    QImage grad(6, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) grad.setPixel(x, y, qRgb(x * 40, y * 50, 7));
    auto src = std::make_shared<Picture>(grad);
    for (auto [px, py] : {std::pair{-3, -2}, {2, 2}, {-4, 1}, {3, -3}, {-6, 0}, {5, 0}, {-100, -100}}) {
        for (int depth : {32, 16}) {
            auto dst = Blue(5, 4, depth);
            dst->Graphics().DrawPicture(src, px, py);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 5; ++x) {
                    const bool inside = x >= px && x < px + 6 && y >= py && y < py + 5;
                    const QRgb want = inside ? grad.pixel(x - px, y - py) : qRgb(0, 0, 255);
                    // Compare through Qt's own 5-6-5 round trip on 16-bit targets.
                    QImage one(1, 1, QImage::Format_RGB32);
                    one.setPixel(0, 0, want);
                    if (depth == 16) one = one.convertToFormat(QImage::Format_RGB16);
                    EXPECT_EQ(dst->Graphics().Pixel(x, y), QtColor(one, 0, 0))
                        << "at " << px << ',' << py << " pixel " << x << ',' << y << " depth " << depth;
                }
        }
    }
}

TEST(DrawPictureTest, DrawingAPictureOntoItselfReadsTheOriginal) {
    QImage grad(6, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) grad.setPixel(x, y, qRgb(x * 40, y * 40, 99));
    for (int dx : {-2, 2}) {
        // A deep copy, so the picture owns its pixels alone as a loaded one does.
        auto p = std::make_shared<Picture>(grad.copy());
        p->Graphics().DrawPicture(p, dx, 1);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                const bool moved = x - dx >= 0 && x - dx < 6 && y >= 1;
                const QRgb want = moved ? grad.pixel(x - dx, y - 1) : grad.pixel(x, y);
                EXPECT_EQ(p->Graphics().Pixel(x, y), Color::FromRgb32(want)) << dx << ": " << x << ',' << y;
            }
    }
}

TEST(BlitImageTest, MatchesQtConversionsBetweenDepths) {
    // Every 5-6-5 boundary matters, so walk a spread of channel values.
    QImage src32(64, 4, QImage::Format_RGB32);
    for (int x = 0; x < 64; ++x) {
        src32.setPixel(x, 0, qRgb(x * 4, 0, 0));
        src32.setPixel(x, 1, qRgb(0, x * 4 + 3, 0));
        src32.setPixel(x, 2, qRgb(0, 0, 255 - x * 4));
        src32.setPixel(x, 3, qRgb(x * 3 + 1, x * 2 + 5, x));
    }
    const QImage src16 = src32.convertToFormat(QImage::Format_RGB16);

    QImage to16(64, 4, QImage::Format_RGB16);
    BlitImage(to16, src32, {0, 0}, to16.rect(), false);
    EXPECT_EQ(to16, src16);

    QImage to32(64, 4, QImage::Format_RGB32);
    BlitImage(to32, src16, {0, 0}, to32.rect(), false);
    EXPECT_EQ(to32, src16.convertToFormat(QImage::Format_RGB32));

    // Unusual layouts on either side still arrive intact.
    QImage argb = src32.convertToFormat(QImage::Format_ARGB32);
    QImage fromArgb(64, 4, QImage::Format_RGB32);
    BlitImage(fromArgb, argb, {0, 0}, fromArgb.rect(), false);
    EXPECT_EQ(fromArgb, src32);
    QImage rgb888(64, 4, QImage::Format_RGB888);
    rgb888.fill(Qt::black);
    BlitImage(rgb888, src32, {0, 0}, rgb888.rect(), false);
    EXPECT_EQ(rgb888.convertToFormat(QImage::Format_RGB32), src32);
}

TEST(BlitImageTest, KeepsInsideTheGivenClip) {
    QImage dst(10, 10, QImage::Format_RGB32);
    dst.fill(Qt::blue);
    QImage src(10, 10, QImage::Format_RGB32);
    src.fill(Qt::red);
    BlitImage(dst, src, {-3, -3}, QRect(2, 1, 3, 4), false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(dst.pixel(x, y), QRect(2, 1, 3, 4).contains(x, y) ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    BlitImage(dst, src, {INT_MIN, INT_MAX}, dst.rect(), true);
    BlitImage(dst, src, {INT_MAX, INT_MIN}, dst.rect(), false);
    BlitImage(dst, QImage(), {0, 0}, dst.rect(), false);
    EXPECT_EQ(dst.pixel(0, 0), qRgb(0, 0, 255));
}

// ---- Reading pixels --------------------------------------------------------

TEST(PixelTest, SixteenBitReadsAreQuantizedLikeQt) {
    auto p = NewPicture(1, 1, 16);
    Graphics& g = p->Graphics();
    for (Color c : {RGB(255, 0, 0), RGB(10, 10, 10), RGB(255, 255, 255), RGB(0, 0, 0), RGB(7, 3, 250),
                    RGB(128, 129, 130), RGB(248, 252, 248), RGB(247, 251, 247)}) {
        g.ForeColor = c;
        g.FillRect(0, 0, 1, 1);
        QImage ref(1, 1, QImage::Format_RGB32);
        ref.setPixel(0, 0, c.ToRgb32());
        EXPECT_EQ(g.Pixel(0, 0), QtColor(ref.convertToFormat(QImage::Format_RGB16), 0, 0))
            << c.r << ',' << c.g << ',' << c.b;
    }
    g.ForeColor = RGB(255, 0, 0);
    g.FillRect(0, 0, 1, 1);
    EXPECT_EQ(g.Pixel(0, 0), RGB(255, 0, 0));
    g.ForeColor = RGB(10, 10, 10);
    g.FillRect(0, 0, 1, 1);
    EXPECT_EQ(g.Pixel(0, 0), RGB(8, 8, 8));
}

TEST(PixelTest, OutsideReadsWhite) {
    for (int depth : {16, 32}) {
        auto p = Blue(5, 4, depth);
        Graphics& g = p->Graphics();
        EXPECT_EQ(g.Pixel(0, 0), RGB(0, 0, 255));
        EXPECT_EQ(g.Pixel(4, 3), RGB(0, 0, 255));
        for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {5, 0}, {0, 4}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}})
            EXPECT_EQ(g.Pixel(x, y), kWhite) << x << ',' << y;
    }
}

// ---- Surfaces with an origin and a clip -----------------------------------

TEST(SurfaceTest, DrawsRelativeToTheOriginInsideTheClip) {
    QImage image(50, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    TestSurface s(&image, {10, 5}, QRect(10, 5, 20, 10));
    Graphics g(s);
    g.FillRect(-5, -5, 100, 100);
    EXPECT_EQ(s.changed, std::vector<QRect>{QRect(10, 5, 20, 10)});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            EXPECT_EQ(image.pixel(x, y), QRect(10, 5, 20, 10).contains(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));

    // Reading is relative too, and sees white beyond the clip even where the
    // image has colour.
    image.fill(qRgb(9, 9, 9));
    image.setPixel(12, 7, qRgb(1, 2, 3));
    EXPECT_EQ(g.Pixel(2, 2), RGB(1, 2, 3));
    EXPECT_EQ(g.Pixel(-1, 0), kWhite);
    EXPECT_EQ(g.Pixel(20, 0), kWhite);
    EXPECT_EQ(g.Pixel(19, 9), RGB(9, 9, 9));
}

TEST(SurfaceTest, LinesAndPicturesLandAtTheOriginAndReportWhatChanged) {
    QImage image(50, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    TestSurface s(&image, {10, 5}, QRect(10, 5, 20, 10));
    Graphics g(s);
    g.UseOldRenderer = true;
    g.PenWidth = g.PenHeight = 2;
    g.DrawLine(1, 1, 6, 3);
    ASSERT_EQ(s.changed.size(), 1u);
    EXPECT_EQ(s.changed[0], QRect(QPoint(11, 6), QPoint(17, 9)));
    EXPECT_EQ(image.pixel(11, 6), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(17, 9), qRgb(0, 0, 0));

    auto pic = Blue(6, 6, 16);
    g.DrawPicture(pic, 17, 7);  // hangs over the clip's right and bottom
    ASSERT_EQ(s.changed.size(), 2u);
    EXPECT_EQ(s.changed[1], QRect(QPoint(27, 12), QPoint(29, 14)));
    EXPECT_EQ(image.pixel(29, 14), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(30, 14), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(29, 15), qRgb(255, 255, 255));

    // Wholly outside the clip: nothing drawn, nothing reported.
    g.DrawLine(-20, -20, -10, -10);
    g.FillRect(25, 0, 5, 5);
    g.DrawRect(-30, -30, 10, 10);
    g.DrawPicture(pic, 40, 40);
    EXPECT_EQ(s.changed.size(), 2u);
}

TEST(SurfaceTest, PaintClipNarrowsDrawingButNotReading) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    TestSurface s(&image, {}, image.rect());
    Graphics g(s);
    g.SetPaintClip(QRect(5, 5, 3, 3));
    g.FillRect(0, 0, 20, 20);
    EXPECT_EQ(s.changed, std::vector<QRect>{QRect(5, 5, 3, 3)});
    EXPECT_EQ(g.Pixel(5, 5), kBlack);
    EXPECT_EQ(g.Pixel(4, 4), kWhite);
    image.setPixel(0, 0, qRgb(1, 1, 1));
    EXPECT_EQ(g.Pixel(0, 0), RGB(1, 1, 1));
    g.SetPaintClip(std::nullopt);
    g.FillRect(0, 0, 1, 1);
    EXPECT_EQ(g.Pixel(0, 0), kBlack);
}

TEST(SurfaceTest, NullImageIsHarmless) {
    TestSurface s(nullptr, {3, 3}, QRect(0, 0, 10, 10));
    Graphics g(s);
    g.UseOldRenderer = true;
    g.DrawLine(0, 0, 5, 5);
    g.UseOldRenderer = false;
    g.DrawLine(0, 0, 5, 5);
    g.DrawRect(0, 0, 5, 5);
    g.FillRect(0, 0, 5, 5);
    g.DrawPicture(NewPicture(2, 2, 32), 0, 0);
    EXPECT_EQ(g.Pixel(1, 1), kWhite);
    EXPECT_TRUE(s.changed.empty());
}
