// Whether a window shows what its overlay holds: every stroke in the marker
// overlay must be on screen, whatever repainted the window since.
#pragma once

#include <QPoint>
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
