// Whether a window shows what it should: every stroke in the marker overlay,
// whatever repainted the window since, and what a full repaint would show.
#pragma once

#include <QPoint>
#include <cstring>
#include <optional>

#include "framework/graphics.h"
#include "framework/window.h"

// The first point where the overlay holds ink that the window does not show.
inline std::optional<QPoint> OverlayHiddenAt(const fw::Window& w) {
    const fw::PicturePtr& overlay = w.Overlay();
    if (!overlay) return std::nullopt;
    const QImage& ink = overlay->Image();
    const QRect area = overlay->InkBounds() & w.Image().rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* o = reinterpret_cast<const uint32_t*>(ink.constScanLine(y));
        const auto* s = reinterpret_cast<const uint32_t*>(w.Image().constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if ((o[x] & 0xFFFFFFu) != 0xFFFFFFu && (o[x] & 0xFFFFFFu) != (s[x] & 0xFFFFFFu)) return QPoint(x, y);
    }
    return std::nullopt;
}

// The first point where the window does not show what a full repaint of it
// would. With whiteMayShow, a pure white pixel may differ: a white marker
// stroke shows until the next repaint of its area.
inline std::optional<QPoint> NotARepaintAt(fw::Window& w, bool whiteMayShow) {
    static QImage repaint;  // kept: the walk compares thousands of times
    w.ComposeRepaint(repaint);
    const QImage& shown = w.Image();
    const int width = shown.width();
    for (int y = 0; y < shown.height(); ++y) {
        const auto* r = reinterpret_cast<const uint32_t*>(repaint.constScanLine(y));
        const auto* s = reinterpret_cast<const uint32_t*>(shown.constScanLine(y));
        if (std::memcmp(r, s, size_t(width) * 4) == 0) continue;
        for (int x = 0; x < width; ++x) {
            const uint32_t on = s[x] & 0xFFFFFFu;
            if (on != (r[x] & 0xFFFFFFu) && !(whiteMayShow && on == 0xFFFFFFu)) return QPoint(x, y);
        }
    }
    return std::nullopt;
}
