// Whether a window system is there to show windows on.
#pragma once

namespace fw {

// On Linux: true when Qt is told which platform to use (QT_QPA_PLATFORM, e.g.
// offscreen), or an X11 or Wayland display is named. Elsewhere always true.
// Asked before QApplication exists, which would abort without a display.
bool HasDisplay();

}  // namespace fw
