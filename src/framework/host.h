// What the framework needs of the platform that shows it: the application's
// host, and the host's side of each window it shows.
#pragma once

#include <QRect>
#include <memory>
#include <string>

#include "types.h"

namespace fw {

// What a window needs of the host that shows it.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void Present(const QRect& dirty) = 0;
    virtual void SetCursor(const CursorPtr& cursor) = 0;
    virtual void Show() = 0;
    virtual void Raise() = 0;
    virtual void Close() = 0;
};

// What the application needs of the platform. Without one, the application
// runs headless: windows keep their images, nothing is shown.
class Host {
public:
    virtual ~Host() = default;
    // Called when the application takes this host (Application::SetHost).
    virtual void Attach(Application&) {}
    virtual std::unique_ptr<HostWindow> CreateWindow(Window& w) = 0;
    virtual void ShowURL(const std::string& url) = 0;
    virtual int RunLoop() = 0;        // until Quit
    virtual void Quit() = 0;
    // The last open window has closed. Whether the program ends is the host's
    // decision, taken once the event that closed it has been handled: the
    // handler may open another window at once ("Reset").
    virtual void LastWindowClosed() = 0;
};

}  // namespace fw
