#include "cursor.h"

namespace fw {

CursorPtr ArrowCursor() {
    // One object for everyone, so that callers may compare cursors by pointer.
    static const CursorPtr arrow = std::make_shared<MouseCursor>();
    return arrow;
}

}  // namespace fw
