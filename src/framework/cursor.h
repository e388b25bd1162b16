// Mouse cursors: the system arrow, or an image with a hot spot.
#pragma once

#include <QImage>
#include <QPoint>

#include "types.h"

namespace fw {

class MouseCursor {
public:
    MouseCursor() = default;  // the system's standard arrow
    MouseCursor(QImage image, QPoint hotSpot) : image_(std::move(image)), hotSpot_(hotSpot) {}

    bool IsArrow() const { return image_.isNull(); }
    const QImage& Image() const { return image_; }
    QPoint HotSpot() const { return hotSpot_; }

private:
    QImage image_;
    QPoint hotSpot_;
};

// The system's standard pointer; always the same object.
CursorPtr ArrowCursor();

}  // namespace fw
