// artgen: draws every picture and cursor that Cladeworks embeds and writes
// them as PNG files. The PNGs are build products: to change the artwork,
// change the drawing code here.
//
// Usage: artgen <output-dir>
// Writes <output-dir>/pictures/<id>.png and <output-dir>/cursors/<id>.png.
// Needs no display: run with QT_QPA_PLATFORM=offscreen.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

// ---------------------------------------------------------------------------
// Palette

// Lizard body. The belly is lighter and the back carries a darker band so the
// animal reads as rounded without any gradients.
const QColor kOutline{34, 62, 24};
const QColor kBodyGreen{112, 184, 72};
const QColor kBackShade{86, 152, 54};
const QColor kBellyGreen{196, 228, 140};
const QColor kFarLegGreen{84, 140, 56};
const QColor kEyeWhite{250, 250, 240};  // not pure white: white is "transparent"
const QColor kPupil{20, 20, 20};

// Traits. Each one gets its own hue so a lizard carrying all of them stays
// readable.
const QColor kDewlapFan{236, 92, 28};
const QColor kDewlapRim{252, 212, 48};
const QColor kDewlapLine{150, 40, 10};
const QColor kBackCrestFill{240, 196, 52};
const QColor kBackCrestLine{124, 84, 12};
const QColor kTailCrestFill{178, 82, 204};
const QColor kTailCrestLine{82, 30, 104};
const QColor kHeadCrestFill{72, 124, 232};
const QColor kHeadCrestRib{40, 76, 168};
const QColor kHeadCrestLine{18, 34, 96};
const QColor kCollarBand{22, 22, 22};
const QColor kCollarEdge{246, 236, 196};
const QColor kBlotchFill{26, 36, 102};
const QColor kBlotchLine{8, 10, 40};
const QColor kStripe{250, 240, 150};
const QColor kTailSpot{96, 50, 22};

// Marker colours, in the order the palette strip shows them. Black first:
// it is the default marker colour.
const std::array<QColor, 11> kMarkerColors{{
    {0, 0, 0},       // black
    {96, 96, 96},    // dark grey
    {220, 30, 30},   // red
    {245, 130, 20},  // orange
    {214, 180, 0},   // yellow, darkened so it shows on white and grey
    {30, 150, 50},   // green
    {0, 150, 150},   // teal
    {30, 70, 220},   // blue
    {130, 50, 190},  // purple
    {236, 80, 160},  // pink
    {128, 74, 30},   // brown
}};

const QColor kIconInk{0, 0, 0};
const QColor kIconLightFill{250, 250, 250};  // stays visible on a grey cell
const QColor kSkin{255, 222, 184};
const QColor kMarkerCap{220, 30, 30};
const QColor kMarkerBarrel{206, 208, 214};
const QColor kMarkerCollar{70, 70, 76};

constexpr int kLizardW = 110;
constexpr int kLizardH = 44;
// The lizard stands this far above the picture's bottom edge, so that its toes
// keep a margin of white under them instead of looking cut off.
constexpr double kLizardLift = 2.0;
constexpr int kWhiteRowsBelowFeet = 2;

// ---------------------------------------------------------------------------
// Small helpers

QImage WhiteImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage ClearImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

bool IsWhite(QRgb c) { return (c & 0xFFFFFFu) == 0xFFFFFFu; }

// y of the path where it crosses x; the lizard contours run monotonically in
// x, so a fine walk along the path is enough.
double YAtX(const QPainterPath& path, double x) {
    constexpr int kSteps = 800;
    QPointF best = path.pointAtPercent(0);
    for (int i = 1; i <= kSteps; ++i) {
        const QPointF p = path.pointAtPercent(double(i) / kSteps);
        if (std::abs(p.x() - x) < std::abs(best.x() - x)) best = p;
    }
    return best.y();
}

// Paints a character grid into an image: each character names a colour;
// characters without one leave the background showing.
void PaintGrid(QImage& img, int left, int top, const std::vector<std::string>& rows,
               const std::function<std::optional<QColor>(char)>& colourOf) {
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[y].size()); ++x)
            if (auto c = colourOf(rows[y][x])) img.setPixelColor(left + x, top + y, *c);
}

// ---------------------------------------------------------------------------
// The lizard. It faces right. Everything that the traits attach to is
// described once here so the trait overlays stay in register with the body.

enum Trait : unsigned {
    kNoTrait = 0,
    kDewlap = 1u << 0,
    kBackCrest = 1u << 1,
    kTailCrest = 1u << 2,
    kHeadCrest = 1u << 3,
    kCollar = 1u << 4,
    kSideBlotch = 1u << 5,
    kSideStripes = 1u << 6,
    kTailSpots = 1u << 7,
};

struct LizardShape {
    QPainterPath top;     // tail tip -> snout, along the back
    QPainterPath bottom;  // snout -> tail tip, along the throat and belly
    QPainterPath silhouette;
};

const LizardShape& TheLizardShape() {
    static const LizardShape shape = [] {
        LizardShape s;
        s.top.moveTo(3, 33);                          // tail tip
        s.top.cubicTo(14, 30.5, 26, 24, 38, 22);      // top of tail
        s.top.cubicTo(50, 19, 62, 19, 72, 20.5);      // back
        s.top.cubicTo(77, 21, 82, 15, 90, 14.5);      // neck to crown
        s.top.cubicTo(96, 14.2, 101, 16, 103, 18.5);  // snout ridge

        s.bottom.moveTo(103, 18.5);
        s.bottom.cubicTo(105.5, 20, 106, 22.8, 104, 23.8);  // rounded snout
        s.bottom.cubicTo(100, 26, 96, 27.2, 91, 27.6);      // jaw
        s.bottom.cubicTo(86, 28, 82, 29.2, 76, 30.5);       // throat
        s.bottom.cubicTo(68, 32.5, 60, 33.8, 52, 33.8);     // chest and belly
        s.bottom.cubicTo(44, 33.8, 40, 33, 36, 32.4);       // hip
        s.bottom.cubicTo(26, 33.5, 12, 34.6, 3, 33);        // under the tail

        s.silhouette = s.top;
        s.silhouette.connectPath(s.bottom);
        s.silhouette.closeSubpath();
        return s;
    }();
    return shape;
}

double BackY(double x) { return YAtX(TheLizardShape().top, x); }
double BellyY(double x) { return YAtX(TheLizardShape().bottom, x); }

// A leg is a bent stroke from the hip through the knee to the foot, with toes
// fanning out along the ground.
struct Leg {
    QPointF hip, knee, foot;
    int toeDir;  // +1 toes point forward (right), -1 backward
};

const std::array<Leg, 2> kNearLegs{{
    {{69, 29}, {74, 35}, {71, 39}, +1},  // front
    {{42, 29}, {47, 35}, {43, 39}, -1},  // hind
}};
const std::array<Leg, 2> kFarLegs{{
    {{62, 31}, {58, 36}, {61, 39}, +1},  // front, seen past the belly
    {{35, 31}, {30, 36}, {33, 39}, -1},  // hind
}};

void DrawLeg(QPainter& p, const Leg& leg, const QColor& fill) {
    QPainterPath limb;
    limb.moveTo(leg.hip);
    limb.lineTo(leg.knee);
    limb.lineTo(leg.foot);
    const auto pen = [](const QColor& c, double w) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); };
    p.setBrush(Qt::NoBrush);
    // Toes first, so the foot's round end covers their roots.
    p.setPen(pen(kOutline, 1.3));
    for (int i = 0; i < 3; ++i) {
        const QPointF tip(leg.foot.x() + leg.toeDir * (0.6 + 2.1 * i), 42.6 - 0.3 * i);
        p.drawLine(leg.foot, tip);
    }
    p.setPen(pen(kOutline, 4.6));
    p.drawPath(limb);
    p.setPen(pen(fill, 2.8));
    p.drawPath(limb);
}

// Crest teeth standing on the back contour between x0 and x1. Their bases are
// sunk into the body so that the body, drawn afterwards, hides them.
QPainterPath CrestTeeth(double x0, double x1, int count, double height0, double height1, double lean) {
    QPainterPath path;
    const double step = (x1 - x0) / count;
    // Near the tail tip the body is thin: never sink a base out through the belly.
    const auto sunk = [](double x) { return BackY(x) + std::min(2.5, (BellyY(x) - BackY(x)) / 3); };
    path.moveTo(x0, sunk(x0));
    for (int i = 0; i < count; ++i) {
        const double a = x0 + i * step;
        const double t = count > 1 ? double(i) / (count - 1) : 0.0;
        const double h = height0 + (height1 - height0) * t;
        const double apexX = a + step * 0.5 - lean;
        path.lineTo(a, BackY(a) + 0.6);
        path.lineTo(apexX, BackY(a + step * 0.5) - h);
        path.lineTo(a + step, BackY(a + step) + 0.6);
    }
    path.lineTo(x1, sunk(x1));
    path.closeSubpath();
    return path;
}

void DrawHeadCrest(QPainter& p) {
    // A smooth casque rising from the crown and sweeping back.
    QPainterPath casque;
    casque.moveTo(81.5, 19.5);
    casque.cubicTo(81.5, 12, 83, 7, 86.5, 5.5);
    casque.cubicTo(90, 4.5, 93.5, 10, 97, 17);
    casque.closeSubpath();
    p.setPen(QPen(kHeadCrestLine, 1.1));
    p.setBrush(kHeadCrestFill);
    p.drawPath(casque);
    // Ribs make it read as a crest rather than a blue blob.
    p.setPen(QPen(kHeadCrestRib, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(85, 16), QPointF(85.8, 8.5));
    p.drawLine(QPointF(88.5, 15), QPointF(89, 8));
    p.drawLine(QPointF(92, 15), QPointF(91.5, 10));
}

void DrawBackCrest(QPainter& p) {
    p.setPen(QPen(kBackCrestLine, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(kBackCrestFill);
    p.drawPath(CrestTeeth(42, 72, 6, 5.5, 6.5, 0.8));
}

void DrawTailCrest(QPainter& p) {
    p.setPen(QPen(kTailCrestLine, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(kTailCrestFill);
    p.drawPath(CrestTeeth(9, 35, 7, 2.2, 3.6, 0.9));
}

void DrawDewlap(QPainter& p) {
    // A fan hanging from the throat; its top edge hides behind the jaw.
    QPainterPath fan;
    fan.moveTo(81, 27);
    fan.cubicTo(80, 34, 83, 41, 88, 41.2);
    fan.cubicTo(93, 41.2, 96, 34, 97, 25);
    fan.closeSubpath();
    p.setPen(QPen(kDewlapLine, 1.0));
    p.setBrush(kDewlapRim);
    p.drawPath(fan);
    QPainterPath inner;
    inner.moveTo(83, 27);
    inner.cubicTo(82.5, 33, 84.5, 38.5, 88, 38.6);
    inner.cubicTo(91.5, 38.6, 94, 33, 95, 25);
    inner.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kDewlapFan);
    p.drawPath(inner);
    p.setPen(QPen(kDewlapLine, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(86, 30), QPointF(86.5, 36));
    p.drawLine(QPointF(90, 30), QPointF(89.8, 36.5));
}

void DrawCollar(QPainter& p) {
    // A slanted band around the neck; light edges keep it apart from the head.
    const QLineF band(QPointF(77.5, 14), QPointF(73.5, 34));
    p.setPen(QPen(kCollarEdge, 5.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(band);
    p.setPen(QPen(kCollarBand, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(band);
}

void DrawSideBlotch(QPainter& p) {
    p.setPen(QPen(kBlotchLine, 0.8));
    p.setBrush(kBlotchFill);
    p.drawEllipse(QPointF(63, 25.8), 3.4, 3.0);
}

void DrawSideStripes(QPainter& p) {
    p.setPen(QPen(kStripe, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // Two stripes that follow the curve of the back.
    for (double offset : {3.2, 6.6}) {
        QPainterPath stripe;
        stripe.moveTo(39, BackY(39) + offset - 0.3);
        for (double x = 42; x <= 57; x += 3) stripe.lineTo(x, BackY(x) + offset);
        p.drawPath(stripe);
    }
}

void DrawTailSpots(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kTailSpot);
    const std::array<double, 5> xs{12, 17, 22, 27, 32};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        const double midY = (BackY(x) + BellyY(x)) / 2.0;
        const double r = 1.1 + 0.25 * double(i);
        p.drawEllipse(QPointF(x, midY + 0.4), r + 0.2, r);
    }
}

// Draws the lizard with the given traits, each at its own depth: crests and
// dewlap sit behind the body, skin markings on it, the near legs in front.
void DrawLizard(QPainter& p, unsigned traits) {
    const LizardShape& s = TheLizardShape();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(0, -kLizardLift);

    for (const Leg& leg : kFarLegs) DrawLeg(p, leg, kFarLegGreen);

    if (traits & kTailCrest) DrawTailCrest(p);
    if (traits & kBackCrest) DrawBackCrest(p);
    if (traits & kHeadCrest) DrawHeadCrest(p);
    if (traits & kDewlap) DrawDewlap(p);

    p.setPen(Qt::NoPen);
    p.setBrush(kBodyGreen);
    p.drawPath(s.silhouette);

    p.save();
    p.setClipPath(s.silhouette);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBackShade, 3.6));
    p.drawPath(s.top);
    QPainterPath belly;  // lighter underside of throat, chest and belly
    belly.moveTo(38, 44);
    belly.lineTo(38, 31.5);
    belly.cubicTo(50, 31.5, 66, 30.5, 78, 27.4);
    belly.cubicTo(86, 25.6, 96, 25, 106, 23);
    belly.lineTo(106, 44);
    belly.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBellyGreen);
    p.drawPath(belly);
    if (traits & kSideStripes) DrawSideStripes(p);
    if (traits & kSideBlotch) DrawSideBlotch(p);
    if (traits & kTailSpots) DrawTailSpots(p);
    if (traits & kCollar) DrawCollar(p);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(s.silhouette);

    for (const Leg& leg : kNearLegs) DrawLeg(p, leg, kBodyGreen);

    // Face: eye, nostril and a small smile.
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(kEyeWhite);
    p.drawEllipse(QPointF(93, 19.6), 2.5, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(kPupil);
    p.drawEllipse(QPointF(93.8, 19.7), 1.25, 1.4);
    p.drawEllipse(QPointF(101.6, 19.4), 0.6, 0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 0.9, Qt::SolidLine, Qt::RoundCap));
    QPainterPath mouth;
    mouth.moveTo(103.6, 23.4);
    mouth.quadTo(99, 24.6, 95.5, 23.2);
    p.drawPath(mouth);

    p.restore();
}

QImage RenderLizard(unsigned traits) {
    QImage img = WhiteImage(kLizardW, kLizardH);
    QPainter p(&img);
    DrawLizard(p, traits);
    return img;
}

QImage TheLizard() { return RenderLizard(kNoTrait); }

// A trait overlay is shown with its pure-white pixels transparent. Rendering
// body and trait together and then blanking everything the body alone already
// shows keeps the trait's antialiased edges blended against the body colours
// rather than against white.
QImage TraitOverlay(Trait trait) {
    const QImage body = RenderLizard(kNoTrait);
    QImage overlay = RenderLizard(trait);
    for (int y = 0; y < overlay.height(); ++y) {
        for (int x = 0; x < overlay.width(); ++x) {
            const QRgb c = overlay.pixel(x, y);
            if (c == body.pixel(x, y)) overlay.setPixel(x, y, qRgb(255, 255, 255));
            else if (IsWhite(c)) overlay.setPixel(x, y, qRgb(254, 254, 254));  // a trait pixel, not a hole
        }
    }
    return overlay;
}

// ---------------------------------------------------------------------------
// The book cover.

QImage VeridaneCover() {
    constexpr int kW = 158, kH = 204;
    QImage img = WhiteImage(kW, kH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0.0, QColor(28, 96, 100));
    sky.setColorAt(1.0, QColor(16, 58, 70));
    p.fillRect(img.rect(), sky);
    p.setPen(QPen(QColor(232, 196, 96), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, kW - 10, kH - 10), 4, 4);

    QFont title("DejaVu Serif");
    title.setBold(true);
    title.setPixelSize(21);
    p.setFont(title);
    p.setPen(QColor(250, 244, 224));
    p.drawText(QRectF(0, 12, kW, 28), Qt::AlignCenter, QStringLiteral("Cladeworks"));

    QFont sub("DejaVu Sans");
    sub.setItalic(true);
    sub.setPixelSize(11);
    p.setFont(sub);
    p.setPen(QColor(232, 196, 96));
    p.drawText(QRectF(0, 40, kW, 16), Qt::AlignCenter, QStringLiteral("Evolving lizards"));

    // A lizard on a pale card, showing off a few traits.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 242, 226));
    p.drawRoundedRect(QRectF(10, 62, kW - 20, 62), 6, 6);
    p.save();
    p.translate(13, 65);
    p.scale(1.2, 1.2);
    DrawLizard(p, kDewlap | kBackCrest | kSideStripes | kTailSpots);
    p.restore();

    // A small tree of descent whose tips are differently coloured lineages.
    const QPointF root(72, 194), ab(40, 162), cde(100, 172), de(120, 156);
    const std::array<QPointF, 5> tips{{{22, 138}, {54, 138}, {82, 138}, {110, 138}, {136, 138}}};
    p.setPen(QPen(QColor(250, 244, 224), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(72, 198), root);
    p.drawLine(root, ab);
    p.drawLine(root, cde);
    p.drawLine(ab, tips[0]);
    p.drawLine(ab, tips[1]);
    p.drawLine(cde, tips[2]);
    p.drawLine(cde, de);
    p.drawLine(de, tips[3]);
    p.drawLine(de, tips[4]);
    const std::array<QColor, 5> tipColours{{kBodyGreen, kBackCrestFill, kDewlapFan, kHeadCrestFill, kTailCrestFill}};
    for (std::size_t i = 0; i < tips.size(); ++i) {
        p.setPen(QPen(QColor(250, 244, 224), 1.4));
        p.setBrush(tipColours[i]);
        p.drawEllipse(tips[i], 5, 5);
    }
    return img;
}

// ---------------------------------------------------------------------------
// The marker colour strip. Every pixel is a colour the user can pick, so
// no antialiasing, no separators, and nothing whitish.

constexpr int kPaletteCell = 11;

QImage CladeworksColors() {
    QImage img(kPaletteCell * int(kMarkerColors.size()), 16, QImage::Format_RGB32);
    for (std::size_t i = 0; i < kMarkerColors.size(); ++i)
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < kPaletteCell; ++x) img.setPixelColor(int(i) * kPaletteCell + x, y, kMarkerColors[i]);
    return img;
}

// ---------------------------------------------------------------------------
// Tool icons, 16x16 on white. Drawn pixel by pixel so they stay crisp.

std::optional<QColor> IconColour(char c) {
    switch (c) {
    case '#': return kIconInk;
    case '.': return kIconLightFill;
    case 'o': return kSkin;
    default: return std::nullopt;
    }
}

QImage IconArrow() {
    QImage img = WhiteImage(16, 16);
    PaintGrid(img, 3, 0,
              {
                  "#",
                  "##",
                  "#.#",
                  "#..#",
                  "#...#",
                  "#....#",
                  "#.....#",
                  "#......#",
                  "#.......#",
                  "#........#",
                  "#.....#####",
                  "#..#..#",
                  "#.# #..#",
                  "##  #..#",
                  "#    #..#",
                  "      ##",
              },
              IconColour);
    return img;
}

QImage IconHand() {
    QImage img = WhiteImage(16, 16);
    PaintGrid(img, 0, 0,
              {
                  "       ##       ",
                  "    ###oo###    ",
                  "   #oo#oo#oo#   ",
                  "   #oo#oo#oo### ",
                  "   #oo#oo#oo#oo#",
                  "   #oo#oo#oo#oo#",
                  " ###oo#oo#oo#oo#",
                  "#oo#oo#oo#oo#oo#",
                  "#oo#ooooooooooo#",
                  " #ooooooooooooo#",
                  "  #oooooooooooo#",
                  "   #ooooooooooo#",
                  "   #oooooooooo# ",
                  "    #oooooooo#  ",
                  "    #oooooooo#  ",
                  "    ##########  ",
              },
              IconColour);
    return img;
}

// The felt marker, lying on the diagonal with its tip at the lower left. It is
// shared by the 16x16 icon and the 32x32 cursor, so it is described in units
// along the pen (u, from the tip) and across it (v), scaled per use.
enum class PenPart { None, Nib, Collar, Barrel, Cap };

PenPart PenPartAt(double u, double v) {
    const double av = std::abs(v);
    if (u < 0) return PenPart::None;
    if (u < 2.2) return av <= 0.6 + 0.5 * u ? PenPart::Nib : PenPart::None;
    if (u < 4.0) return av <= 2.0 ? PenPart::Collar : PenPart::None;
    if (u < 11.5) return av <= 2.3 ? PenPart::Barrel : PenPart::None;
    if (u < 16.0) return av <= 2.6 ? PenPart::Cap : PenPart::None;
    return PenPart::None;
}

struct PenRaster {
    QImage image;
    QPoint tip;  // the most tipward inked pixel
};

// Rasterises the pen without antialiasing: parts, then a one-pixel ink outline
// around them, then (for cursors) a one-pixel light halo around that.
PenRaster RasterisePen(int size, QPointF tip, double scale, bool halo) {
    const double k = 1.0 / std::sqrt(2.0);
    const auto partAt = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= size || y >= size) return PenPart::None;
        const double dx = (x + 0.5 - tip.x()) / scale, dy = (y + 0.5 - tip.y()) / scale;
        return PenPartAt((dx - dy) * k, (dx + dy) * k);
    };
    const auto near = [&](int x, int y, const std::function<bool(int, int)>& test) {
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                if ((i || j) && test(x + i, y + j)) return true;
        return false;
    };
    std::vector<std::vector<char>> kind(size, std::vector<char>(size, ' '));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            switch (partAt(x, y)) {
            case PenPart::Nib: kind[y][x] = 'n'; break;
            case PenPart::Collar: kind[y][x] = 'c'; break;
            case PenPart::Barrel: kind[y][x] = 'b'; break;
            case PenPart::Cap: kind[y][x] = 'k'; break;
            case PenPart::None: break;
            }
        }
    const auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && kind[y][x] != ' ' && kind[y][x] != 'h';
    };
    auto outlined = kind;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (kind[y][x] == ' ' && near(x, y, inked)) outlined[y][x] = '#';
    kind = outlined;
    if (halo) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (kind[y][x] == ' ' && near(x, y, inked)) outlined[y][x] = 'h';
        kind = outlined;
    }

    PenRaster r{halo ? ClearImage(size, size) : WhiteImage(size, size), {}};
    double bestU = 1e9;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            QColor c;
            switch (kind[y][x]) {
            case 'n': c = kMarkerCap; break;
            case 'c': c = kMarkerCollar; break;
            case 'b': c = kMarkerBarrel; break;
            case 'k': c = kMarkerCap; break;
            case '#': c = kIconInk; break;
            case 'h': c = QColor(255, 255, 255); break;
            default: continue;
            }
            r.image.setPixelColor(x, y, c);
            if (kind[y][x] != 'h') {
                const double u = ((x + 0.5 - tip.x()) - (y + 0.5 - tip.y())) * k;
                if (u < bestU) {
                    bestU = u;
                    r.tip = QPoint(x, y);
                }
            }
        }
    return r;
}

QImage IconMarker() { return RasterisePen(16, QPointF(2.0, 14.0), 1.0, false).image; }

// ---------------------------------------------------------------------------
// Cursors: 32x32 with real alpha, a dark outline and a light halo so they
// read on any background. The hot spot travels in the PNG's text chunks.

QImage WithHotSpot(QImage img, QPoint hot) {
    img.setText(QStringLiteral("HotSpotX"), QString::number(hot.x()));
    img.setText(QStringLiteral("HotSpotY"), QString::number(hot.y()));
    return img;
}

// Open hand, hot spot in the middle of the palm.
QImage HandCursor() {
    QImage img = ClearImage(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);

    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    const auto finger = [&](double x, double top, double bottom) {
        hand.addRoundedRect(QRectF(x, top, 4.2, bottom - top), 2.1, 2.1);
    };
    finger(9.6, 5.0, 19);                                    // index
    finger(13.8, 3.0, 19);                                   // middle
    finger(18.0, 4.0, 19);                                   // ring
    finger(22.2, 7.5, 20);                                   // little
    hand.addRoundedRect(QRectF(9.6, 14, 16.8, 14.5), 5, 5);  // palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.2, -8, 4.4, 11), 2.2, 2.2);
    QTransform t;
    t.translate(10.5, 22);
    t.rotate(-38);
    hand.addPath(t.map(thumb));
    hand = hand.simplified();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 235), 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hand);
    p.setPen(QPen(QColor(24, 24, 24), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kSkin);
    p.drawPath(hand);
    // Gaps between the fingers.
    p.setPen(QPen(QColor(24, 24, 24), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.8, 8.5), QPointF(13.8, 16.5));
    p.drawLine(QPointF(18.0, 7.5), QPointF(18.0, 16.5));
    p.drawLine(QPointF(22.2, 10), QPointF(22.2, 16.5));
    p.end();
    return WithHotSpot(img, QPoint(17, 19));
}

// Felt marker; the hot spot is the tip pixel, so the line starts exactly
// where the pen touches.
QImage MarkerCursor() {
    const PenRaster pen = RasterisePen(32, QPointF(4.0, 28.0), 1.75, true);
    return WithHotSpot(pen.image, pen.tip);
}

// ---------------------------------------------------------------------------
// Self-checks: faults here would show up as odd pixels in the program, which
// nobody notices until a class is staring at them.

int failures = 0;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "artgen: check failed: %s\n", what.c_str());
        ++failures;
    }
}

void CheckSize(const QImage& img, int w, int h, const std::string& name) {
    Check(img.width() == w && img.height() == h, name + " has the wrong size");
}

void CheckOverlays(const QImage& body, const std::vector<std::pair<int, QImage>>& overlays) {
    for (const auto& [id, img] : overlays) {
        const std::string name = "overlay " + std::to_string(id);
        CheckSize(img, kLizardW, kLizardH, name);
        int traitPixels = 0;
        bool stray = false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (IsWhite(c)) continue;
                ++traitPixels;
                if (c == body.pixel(x, y)) stray = true;
            }
        Check(!stray, name + " repeats body pixels that should be transparent");
        Check(traitPixels >= 20, name + " is (nearly) empty");
    }
    // Traits must not paint over one another, or a lizard carrying several
    // loses some of them.
    for (std::size_t i = 0; i < overlays.size(); ++i)
        for (std::size_t j = i + 1; j < overlays.size(); ++j) {
            int shared = 0;
            const QImage& a = overlays[i].second;
            const QImage& b = overlays[j].second;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    if (!IsWhite(a.pixel(x, y)) && !IsWhite(b.pixel(x, y))) ++shared;
            Check(shared == 0, "overlays " + std::to_string(overlays[i].first) + " and " +
                                   std::to_string(overlays[j].first) + " overlap in " + std::to_string(shared) +
                                   " pixels");
        }
}

// Nothing may touch the bottom edge: a lizard whose toes reach it looks cut off.
void CheckFeetClear(const QImage& img, const std::string& name) {
    for (int y = img.height() - kWhiteRowsBelowFeet; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!IsWhite(img.pixel(x, y))) {
                Check(false, name + " reaches row " + std::to_string(y) + " at x " + std::to_string(x));
                return;
            }
}

void CheckPalette(const QImage& img) {
    CheckSize(img, 121, 16, "palette");
    Check(img.pixel(5, 5) == qRgb(0, 0, 0), "palette does not start with black");
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            Check(c.red() + c.green() + c.blue() < 3 * 230,
                  "palette pixel " + std::to_string(x) + "," + std::to_string(y) + " is whitish");
        }
    for (std::size_t i = 0; i < kMarkerColors.size(); ++i)
        for (std::size_t j = i + 1; j < kMarkerColors.size(); ++j) {
            const QColor a = kMarkerColors[i], b = kMarkerColors[j];
            const int d = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            Check(d >= 90, "marker colours " + std::to_string(i) + " and " + std::to_string(j) + " are too alike");
        }
}

void CheckCursor(const QImage& img, const std::string& name) {
    CheckSize(img, 32, 32, name);
    Check(img.hasAlphaChannel(), name + " lacks alpha");
    const int hx = img.text(QStringLiteral("HotSpotX")).toInt();
    const int hy = img.text(QStringLiteral("HotSpotY")).toInt();
    Check(hx >= 0 && hy >= 0 && hx < 32 && hy < 32, name + " hot spot outside the image");
    Check(qAlpha(img.pixel(hx, hy)) == 255, name + " hot spot is not on the drawing");
    Check(qAlpha(img.pixel(0, 0)) == 0 && qAlpha(img.pixel(31, 0)) == 0, name + " corners are not transparent");
}

void CheckIcon(const QImage& img, const std::string& name) {
    CheckSize(img, 16, 16, name);
    int ink = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (img.pixel(x, y) == qRgb(0, 0, 0)) ++ink;
    Check(ink >= 20, name + " has no outline");
}

// The build embeds exactly the files of the resource list, so every entry
// must be drawn, and drawn once.
void CheckListed(const std::vector<std::pair<int, QImage>>& drawn, std::span<const int> listed,
                 const std::string& kind) {
    std::vector<int> drawnIds;
    for (const auto& entry : drawn) drawnIds.push_back(entry.first);
    std::vector<int> listedIds(listed.begin(), listed.end());
    std::sort(drawnIds.begin(), drawnIds.end());
    std::sort(listedIds.begin(), listedIds.end());
    Check(drawnIds == listedIds, kind + " drawn are not those of the resource list");
}

// ---------------------------------------------------------------------------

bool Save(const QImage& img, const QString& dir, const QString& sub, int id) {
    const QString path = dir + "/" + sub + "/" + QString::number(id) + ".png";
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts for the cover title
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output-dir>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir + "/pictures") || !QDir().mkpath(outDir + "/cursors")) {
        std::fprintf(stderr, "artgen: cannot create %s\n", argv[1]);
        return 1;
    }

    const QImage lizard = TheLizard();
    // Overlay ids do not follow the order traits are listed in the program.
    const std::vector<std::pair<int, QImage>> overlays{
        {res::kDewlap, TraitOverlay(kDewlap)},           {res::kBackCrest, TraitOverlay(kBackCrest)},
        {res::kTailCrest, TraitOverlay(kTailCrest)},     {res::kHeadCrest, TraitOverlay(kHeadCrest)},
        {res::kCollar, TraitOverlay(kCollar)},           {res::kSideBlotch, TraitOverlay(kSideBlotch)},
        {res::kSideStripes, TraitOverlay(kSideStripes)}, {res::kTailSpots, TraitOverlay(kTailSpots)},
    };
    const QImage cover = VeridaneCover();
    const QImage palette = CladeworksColors();
    const std::vector<std::pair<int, QImage>> icons{
        {res::kIconArrow, IconArrow()},
        {res::kIconHand, IconHand()},
        {res::kIconMarker, IconMarker()},
    };
    const QImage hand = HandCursor();
    const QImage marker = MarkerCursor();

    CheckSize(lizard, kLizardW, kLizardH, "lizard");
    Check(lizard.pixel(0, 0) == qRgb(255, 255, 255), "lizard background is not white");
    CheckSize(cover, 158, 204, "cover");
    CheckOverlays(lizard, overlays);
    CheckFeetClear(lizard, "lizard");
    for (const auto& [id, img] : overlays) CheckFeetClear(img, "overlay " + std::to_string(id));
    CheckPalette(palette);
    for (const auto& [id, img] : icons) {
        CheckIcon(img, "icon " + std::to_string(id));
        Check(img.pixel(15, 15) == qRgb(255, 255, 255), "icon " + std::to_string(id) + " background is not white");
    }
    CheckCursor(hand, "hand cursor");
    CheckCursor(marker, "marker cursor");

    std::vector<std::pair<int, QImage>> pictures{{res::kVeridaneCover, cover}, {res::kTheLizard, lizard}};
    pictures.insert(pictures.end(), overlays.begin(), overlays.end());
    pictures.emplace_back(res::kCladeworksColors, palette);
    pictures.insert(pictures.end(), icons.begin(), icons.end());
    const std::vector<std::pair<int, QImage>> cursors{{res::kHandCursor, hand}, {res::kMarkerCursor, marker}};
    CheckListed(pictures, res::kPictureIds, "pictures");
    CheckListed(cursors, res::kCursorIds, "cursors");
    if (failures) return 1;

    bool ok = true;
    for (const auto& [id, img] : pictures) ok = ok && Save(img, outDir, "pictures", id);
    for (const auto& [id, img] : cursors) ok = ok && Save(img, outDir, "cursors", id);
    return ok ? 0 : 1;
}
