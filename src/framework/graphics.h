// Pictures and the pen that draws on them, on windows and on canvases.
//
// Drawing is exact to the pixel because the program reads pixels back:
//  - The pen is a PenWidth by PenHeight rectangle hanging right and down from
//    each point; with UseOldRenderer nothing is anti-aliased.
//  - DrawRect(x, y, w, h) frames pixels x..x+w-1, y..y+h-1; FillRect fills them.
//  - DrawPicture draws a whole picture at its natural size; a picture whose
//    Transparent is kWhiteTransparent lets its pure white pixels show what
//    lies beneath.
//  - Pixel reads outside the surface give white.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <optional>

#include "types.h"

namespace fw {

// Something a Graphics draws on: a picture, a window face, a canvas.
class Surface {
public:
    virtual ~Surface() = default;
    // The image drawn into; may be null (then drawing does nothing).
    virtual QImage* SurfaceImage() = 0;
    // Where the surface's 0,0 lies in the image.
    virtual QPoint SurfaceOrigin() const { return {}; }
    // The part of the image the surface may draw on, in image coordinates.
    virtual QRect SurfaceClip() const = 0;
    // Told after pixels in rect (image coordinates) changed.
    virtual void SurfaceChanged(const QRect&) {}
    // The colour shown at x, y (surface coordinates), white outside the
    // surface. By default read where drawing goes.
    virtual Color SurfacePixel(int x, int y);
};

// The colour at x, y of image, whose 0,0 lies at origin, white outside clip.
Color ReadPixel(const QImage* image, QPoint origin, const QRect& clip, int x, int y);

class Graphics {
public:
    explicit Graphics(Surface& surface) : surface_(surface) {}
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor = kBlack;
    int PenWidth = 1;
    int PenHeight = 1;
    bool UseOldRenderer = false;

    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawRect(int x, int y, int w, int h);
    void FillRect(int x, int y, int w, int h);
    void DrawPicture(const PicturePtr& picture, int x, int y);
    Color Pixel(int x, int y) const;

    // Further clip (image coordinates) while the framework composes a window.
    void SetPaintClip(std::optional<QRect> clip) { paintClip_ = clip; }

private:
    // What a drawing call draws into: the image, the part it may touch, and
    // where the surface's 0,0 lies; none when nothing can be drawn.
    struct Target {
        QImage* image;
        QRect clip;
        QPoint origin;
    };
    std::optional<Target> DrawTarget() const;
    void FillImageRect(QImage& img, const QRect& r, Color c);

    Surface& surface_;
    std::optional<QRect> paintClip_;
};

// A Picture's Transparent.
enum Transparency : int { kOpaque = 0, kWhiteTransparent = 1 };

// An off-screen picture of depth 16 (5-6-5) or 32 bits.
class Picture final : public Surface {
public:
    Picture(int width, int height, int depth);
    explicit Picture(QImage image);  // an opaque 32-bit picture of this image

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    int Depth() const { return image_.format() == QImage::Format_RGB16 ? 16 : 32; }
    fw::Graphics& Graphics() { return graphics_; }
    const QImage& Image() const { return image_; }

    // A Transparency: whether its pure white pixels show what lies beneath when drawn.
    int Transparent = kOpaque;

    // Every pixel outside this rectangle is white. Kept up as the picture is
    // drawn on, so that laying a mostly white picture over a window can skip
    // what is white.
    QRect InkBounds() const;

    QImage* SurfaceImage() override { return &image_; }
    QRect SurfaceClip() const override { return image_.rect(); }
    void SurfaceChanged(const QRect& r) override;

private:
    QImage image_;
    fw::Graphics graphics_{*this};
    // What may have been drawn on; after a change over the whole picture
    // (a fill, say) the exact bounds are looked for again when asked.
    mutable QRect ink_;
    mutable bool inkKnown_ = true;
};

// A new all-white picture with a black pen; depth 16 or 32.
PicturePtr NewPicture(int width, int height, int depth);

// Draws src onto dst with src's 0,0 at dstPos, within clip (dst coordinates);
// skips pure white source pixels when transparent. Exposed for the composer.
void BlitImage(QImage& dst, const QImage& src, QPoint dstPos, const QRect& clip, bool transparent);

}  // namespace fw
