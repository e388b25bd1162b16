#include "graphics.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace fw {

namespace {

using i64 = long long;

// The pixel layouts written directly. Opaque 0xFFrrggbb words are valid in
// all three 32-bit formats, so they share one path.
enum class Kind { Rgb32, Rgb16, Other };

Kind KindOf(QImage::Format f) {
    switch (f) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return Kind::Rgb32;
        case QImage::Format_RGB16:
            return Kind::Rgb16;
        default:
            return Kind::Other;
    }
}

// 5-6-5 by truncation, as Qt converts.
inline uint16_t Encode565(uint32_t rgb) {
    return uint16_t(((rgb >> 8) & 0xF800u) | ((rgb >> 5) & 0x07E0u) | ((rgb >> 3) & 0x001Fu));
}

// Bit replication, as Qt converts: full intensity stays full (0x1F -> 0xFF).
inline uint32_t Decode565(uint16_t v) {
    const uint32_t r5 = v >> 11, g6 = (v >> 5) & 0x3Fu, b5 = v & 0x1Fu;
    const uint32_t r = (r5 << 3) | (r5 >> 2), g = (g6 << 2) | (g6 >> 4), b = (b5 << 3) | (b5 >> 2);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The intersection of the inclusive span l..r, t..b with clip. Spans are
// 64-bit so that far-off coordinates plus a size cannot overflow.
QRect ClipSpan(i64 l, i64 t, i64 r, i64 b, const QRect& clip) {
    if (clip.isEmpty()) return {};
    l = std::max<i64>(l, clip.left());
    t = std::max<i64>(t, clip.top());
    r = std::min<i64>(r, clip.right());
    b = std::min<i64>(b, clip.bottom());
    if (l > r || t > b) return {};
    return QRect(QPoint(int(l), int(t)), QPoint(int(r), int(b)));
}

// Writes one colour into rectangles that already lie inside the image.
class RectWriter {
public:
    RectWriter(QImage& image, Color c)
        : image_(image), kind_(KindOf(image.format())), c32_(c.ToRgb32()), c16_(Encode565(c32_)),
          color_(c.r, c.g, c.b) {
        if (kind_ != Kind::Other) {
            bits_ = image.bits();
            bpl_ = image.bytesPerLine();
        }
    }

    void Fill(const QRect& r) {
        if (r.isEmpty()) return;
        const int l = r.left(), w = r.width();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            switch (kind_) {
                case Kind::Rgb32:
                    std::fill_n(reinterpret_cast<uint32_t*>(bits_ + y * bpl_) + l, w, c32_);
                    break;
                case Kind::Rgb16:
                    std::fill_n(reinterpret_cast<uint16_t*>(bits_ + y * bpl_) + l, w, c16_);
                    break;
                case Kind::Other:
                    for (int x = l; x <= r.right(); ++x) image_.setPixelColor(x, y, color_);
                    break;
            }
        }
    }

private:
    QImage& image_;
    Kind kind_;
    uint32_t c32_;
    uint16_t c16_;
    QColor color_;
    uchar* bits_ = nullptr;
    qsizetype bpl_ = 0;
};

// Bounding box of the rectangles drawn by one call.
struct Touched {
    QRect rect;
    void Add(const QRect& r) {
        if (!r.isEmpty()) rect = rect.isEmpty() ? r : rect.united(r);
    }
};

template <class S, class D, class Convert, class IsWhite>
void BlitRows(const QImage& src, QImage& dst, const QRect& area, QPoint srcOffset, bool transparent,
              Convert convert, IsWhite isWhite) {
    const uchar* sbits = src.constBits();
    const qsizetype sbpl = src.bytesPerLine();
    uchar* dbits = dst.bits();
    const qsizetype dbpl = dst.bytesPerLine();
    const int w = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const S* s = reinterpret_cast<const S*>(sbits + (y + srcOffset.y()) * sbpl) + (area.left() + srcOffset.x());
        D* d = reinterpret_cast<D*>(dbits + y * dbpl) + area.left();
        if (transparent) {
            // Written without a branch, so that the compiler can do many pixels at once.
            for (int i = 0; i < w; ++i) d[i] = isWhite(s[i]) ? d[i] : convert(s[i]);
        } else if constexpr (sizeof(S) == sizeof(D)) {
            std::memcpy(d, s, size_t(w) * sizeof(D));
        } else {
            for (int i = 0; i < w; ++i) d[i] = convert(s[i]);
        }
    }
}

}  // namespace

std::optional<Graphics::Target> Graphics::DrawTarget() const {
    QImage* img = surface_.SurfaceImage();
    if (!img || img->isNull()) return std::nullopt;
    QRect clip = surface_.SurfaceClip() & img->rect();
    if (paintClip_) clip &= *paintClip_;
    if (clip.isEmpty()) return std::nullopt;
    return Target{img, clip, surface_.SurfaceOrigin()};
}

void Graphics::FillImageRect(QImage& img, const QRect& r, Color c) {
    RectWriter(img, c).Fill(r & img.rect());
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    const auto target = DrawTarget();
    if (!target) return;
    const auto [img, clip, o] = *target;
    const int pw = std::max(1, PenWidth), ph = std::max(1, PenHeight);
    i64 ax = i64(x1) + o.x(), ay = i64(y1) + o.y(), bx = i64(x2) + o.x(), by = i64(y2) + o.y();

    if (!UseOldRenderer) {
        // The pen is centred where the old renderer's rectangle would be.
        const QPointF a(ax + pw / 2.0, ay + ph / 2.0), b(bx + pw / 2.0, by + ph / 2.0);
        const int width = std::max(pw, ph);
        const QRect touched =
            QRectF(a, b).normalized().adjusted(-width, -width, width, width).toAlignedRect() & clip;
        if (touched.isEmpty()) return;
        QPainter p(img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(clip);
        QPen pen(QColor(ForeColor.r, ForeColor.g, ForeColor.b));
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        if (a == b)
            p.drawPoint(a);
        else
            p.drawLine(a, b);
        p.end();
        surface_.SurfaceChanged(touched);
        return;
    }

    // Bresenham along the longer axis, always walked in increasing order so a
    // line gives the same pixels whichever end it is drawn from. Minor offset
    // at step k: floor((2*dMinor*k + dMajor - 1) / (2*dMajor)), i.e. halves
    // stay with the lower major end.
    const bool xMajor = std::abs(bx - ax) >= std::abs(by - ay);
    if (xMajor ? ax > bx : ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const i64 m0 = xMajor ? ax : ay;
    const i64 dMajor = xMajor ? bx - ax : by - ay;
    const i64 dMinor = xMajor ? std::abs(by - ay) : std::abs(bx - ax);
    const i64 minorStart = xMajor ? ay : ax;
    const int minorStep = (xMajor ? by >= ay : bx >= ax) ? 1 : -1;

    // Only steps whose pen can reach the clip along the major axis are walked.
    const int penMajor = xMajor ? pw : ph, penMinor = xMajor ? ph : pw;
    const i64 clipLo = xMajor ? clip.left() : clip.top(), clipHi = xMajor ? clip.right() : clip.bottom();
    const i64 minorLo = xMajor ? clip.top() : clip.left(), minorHi = xMajor ? clip.bottom() : clip.right();
    const i64 kFirst = std::max<i64>(0, clipLo - penMajor + 1 - m0);
    const i64 kLast = std::min<i64>(dMajor, clipHi - m0);
    if (kFirst > kLast) return;

    i64 q = 0;  // minor offset at step k
    if (dMajor > 0)
        q = i64((__int128(2) * dMinor * kFirst + dMajor - 1) / (__int128(2) * dMajor));
    i64 d = i64(__int128(2) * dMinor * (kFirst + 1) - dMajor - __int128(2) * dMajor * q);

    RectWriter writer(*img, ForeColor);
    Touched touched;
    for (i64 k = kFirst; k <= kLast; ++k) {
        const i64 major = m0 + k;
        const i64 minor = minorStart + minorStep * q;
        if (minor + penMinor - 1 >= minorLo && minor <= minorHi) {
            const QRect r = xMajor ? ClipSpan(major, minor, major + pw - 1, minor + ph - 1, clip)
                                   : ClipSpan(minor, major, minor + pw - 1, major + ph - 1, clip);
            writer.Fill(r);
            touched.Add(r);
        }
        if (d > 0) {
            ++q;
            d -= 2 * dMajor;
        }
        d += 2 * dMinor;
    }
    if (!touched.rect.isEmpty()) surface_.SurfaceChanged(touched.rect);
}

void Graphics::DrawRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const auto target = DrawTarget();
    if (!target) return;
    const auto [img, clip, o] = *target;
    const i64 l = i64(x) + o.x(), t = i64(y) + o.y(), r = l + w - 1, b = t + h - 1;
    const i64 pw = std::max(1, PenWidth), ph = std::max(1, PenHeight);
    const QRect sides[4] = {
        ClipSpan(l, t, r, std::min(b, t + ph - 1), clip),  // top
        ClipSpan(l, std::max(t, b - ph + 1), r, b, clip),  // bottom
        ClipSpan(l, t, std::min(r, l + pw - 1), b, clip),  // left
        ClipSpan(std::max(l, r - pw + 1), t, r, b, clip),  // right
    };
    RectWriter writer(*img, ForeColor);
    Touched touched;
    for (const QRect& s : sides) {
        writer.Fill(s);
        touched.Add(s);
    }
    if (!touched.rect.isEmpty()) surface_.SurfaceChanged(touched.rect);
}

void Graphics::FillRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const auto target = DrawTarget();
    if (!target) return;
    const auto [img, clip, o] = *target;
    const i64 l = i64(x) + o.x(), t = i64(y) + o.y();
    const QRect r = ClipSpan(l, t, l + w - 1, t + h - 1, clip);
    if (r.isEmpty()) return;
    FillImageRect(*img, r, ForeColor);
    surface_.SurfaceChanged(r);
}

void Graphics::DrawPicture(const PicturePtr& picture, int x, int y) {
    if (!picture || picture->Image().isNull()) return;
    const auto target = DrawTarget();
    if (!target) return;
    const auto [img, clip, o] = *target;
    const i64 l = i64(x) + o.x(), t = i64(y) + o.y();
    const QRect area = ClipSpan(l, t, l + picture->Width() - 1, t + picture->Height() - 1, clip);
    if (area.isEmpty()) return;
    // With the area inside the clip, the corner is at most one picture size
    // off the image, so it fits an int.
    BlitImage(*img, picture->Image(), QPoint(int(l), int(t)), clip, picture->Transparent == kWhiteTransparent);
    surface_.SurfaceChanged(area);
}

Color Graphics::Pixel(int x, int y) const { return surface_.SurfacePixel(x, y); }

Color Surface::SurfacePixel(int x, int y) {
    const QImage* img = SurfaceImage();
    return ReadPixel(img, SurfaceOrigin(), img ? SurfaceClip() & img->rect() : QRect(), x, y);
}

Color ReadPixel(const QImage* img, QPoint o, const QRect& clip, int x, int y) {
    if (!img || img->isNull()) return kWhite;
    const i64 ix = i64(x) + o.x(), iy = i64(y) + o.y();
    // The paint clip limits drawing only; reading sees the whole surface.
    if (ClipSpan(ix, iy, ix, iy, clip & img->rect()).isEmpty()) return kWhite;
    const QImage& image = *img;  // const access: reading must not detach
    const uchar* line = image.constScanLine(int(iy));
    switch (KindOf(image.format())) {
        case Kind::Rgb32:
            return Color::FromRgb32(reinterpret_cast<const uint32_t*>(line)[ix]);
        case Kind::Rgb16:
            return Color::FromRgb32(Decode565(reinterpret_cast<const uint16_t*>(line)[ix]));
        case Kind::Other:
            break;
    }
    return Color::FromRgb32(image.pixel(int(ix), int(iy)));
}

Picture::Picture(int width, int height, int depth) {
    if (width <= 0 || height <= 0) return;
    image_ = QImage(width, height, depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB32);
    if (!image_.isNull()) image_.fill(Qt::white);
}

Picture::Picture(QImage image) : inkKnown_(false) {
    if (image.isNull()) return;
    if (!image.hasAlphaChannel()) {
        image_ = image.convertToFormat(QImage::Format_RGB32);
        return;
    }
    // Laid on white paper: see-through parts become white, which a picture
    // whose white is transparent then lets through again.
    image_ = QImage(image.size(), QImage::Format_RGB32);
    if (image_.isNull()) return;
    image_.fill(Qt::white);
    QPainter p(&image_);
    p.drawImage(0, 0, image);
}

void Picture::SurfaceChanged(const QRect& r) {
    if (!inkKnown_) return;
    if (r.contains(image_.rect())) inkKnown_ = false;  // may have turned all white
    else ink_ |= r;
}

QRect Picture::InkBounds() const {
    if (inkKnown_) return ink_;
    inkKnown_ = true;
    ink_ = QRect();
    const Kind kind = KindOf(image_.format());
    int top = -1, bottom = -1, left = image_.width(), right = -1;
    for (int y = 0; y < image_.height(); ++y) {
        const uchar* line = image_.constScanLine(y);
        const auto ink = [&](int x) {
            switch (kind) {
                case Kind::Rgb32: return (reinterpret_cast<const uint32_t*>(line)[x] & 0xFFFFFFu) != 0xFFFFFFu;
                case Kind::Rgb16: return reinterpret_cast<const uint16_t*>(line)[x] != 0xFFFFu;
                case Kind::Other: break;
            }
            return (image_.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
        };
        int first = 0;
        while (first < image_.width() && !ink(first)) ++first;
        if (first == image_.width()) continue;
        int last = image_.width() - 1;
        while (!ink(last)) --last;
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top >= 0) ink_ = QRect(QPoint(left, top), QPoint(right, bottom));
    return ink_;
}

PicturePtr NewPicture(int width, int height, int depth) {
    return std::make_shared<Picture>(width, height, depth);
}

void BlitImage(QImage& dst, const QImage& src, QPoint dstPos, const QRect& clip, bool transparent) {
    if (dst.isNull() || src.isNull()) return;
    const QRect area = ClipSpan(dstPos.x(), dstPos.y(), i64(dstPos.x()) + src.width() - 1,
                                i64(dstPos.y()) + src.height() - 1, clip & dst.rect());
    if (area.isEmpty()) return;

    // A private handle on the source: when src and dst are one image, writing
    // dst then detaches it and the reads still see the original pixels.
    QImage source = src;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_RGB16)
        source = source.convertToFormat(QImage::Format_RGB32);
    const bool src16 = source.format() == QImage::Format_RGB16;
    const QPoint offset(-dstPos.x(), -dstPos.y());

    const auto white32 = [](uint32_t p) { return (p & 0xFFFFFFu) == 0xFFFFFFu; };
    const auto white16 = [](uint16_t p) { return p == 0xFFFFu; };
    const auto same32 = [](uint32_t p) { return p | 0xFF000000u; };
    const auto same16 = [](uint16_t p) { return p; };
    const auto to16 = [](uint32_t p) { return Encode565(p); };
    const auto to32 = [](uint16_t p) { return Decode565(p); };

    switch (KindOf(dst.format())) {
        case Kind::Rgb32:
            if (src16)
                BlitRows<uint16_t, uint32_t>(source, dst, area, offset, transparent, to32, white16);
            else
                BlitRows<uint32_t, uint32_t>(source, dst, area, offset, transparent, same32, white32);
            return;
        case Kind::Rgb16:
            if (src16)
                BlitRows<uint16_t, uint16_t>(source, dst, area, offset, transparent, same16, white16);
            else
                BlitRows<uint32_t, uint16_t>(source, dst, area, offset, transparent, to16, white32);
            return;
        case Kind::Other:
            break;
    }
    // Rare destination layouts: slow but correct.
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int sx = x + offset.x(), sy = y + offset.y();
            const uint32_t p = src16 ? Decode565(reinterpret_cast<const uint16_t*>(source.constScanLine(sy))[sx])
                                     : reinterpret_cast<const uint32_t*>(source.constScanLine(sy))[sx];
            if (transparent && white32(p)) continue;
            dst.setPixelColor(x, y, QColor::fromRgb(p));
        }
    }
}

}  // namespace fw
