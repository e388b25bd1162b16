// The application object: windows, menus, the clock, resources and the host.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <typeindex>
#include <vector>

#include "clock.h"
#include "cursor.h"
#include "host.h"
#include "menu.h"
#include "resources.h"
#include "types.h"
#include "window.h"

namespace fw {

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The registered application object, or nil.
    static Application* Instance() { return instance_; }

    virtual void Event_Open() {}
    virtual void Event_EnableMenuItems() {}

    const std::shared_ptr<fw::MenuBar>& MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar) { menuBar_ = std::move(bar); }
    void AddMenuHandler(const std::string& name, std::function<bool()> handler);

    fw::ResourceFork& ResourceFork() { return resources_; }
    fw::Clock& Clock() { return clock_; }

    void SetHost(Host* host) {
        host_ = host;
        if (host_) host_->Attach(*this);
    }
    Host* GetHost() const { return host_; }

    // Raises Open, then runs the host's event loop until Quit. Without a host
    // it only raises Open. Returns the exit status.
    int Run();
    // Closes every window and ends the event loop; the release at exit follows
    // Run's return.
    void Quit();
    bool Quitting() const { return quitting_; }
    // Drops every window at exit, raising no event.
    void ReleaseWindows();

    // Windows, back to front.
    const std::vector<std::shared_ptr<Window>>& Windows() const { return windows_; }
    std::shared_ptr<Window> FrontWindow() const;
    // The open window of class W, or nil.
    template <class W>
    std::shared_ptr<W> FindWindow() const {
        for (auto& w : windows_) {
            const Window& window = *w;
            if (typeid(window) == typeid(W)) return std::static_pointer_cast<W>(w);
        }
        return nullptr;
    }
    // The open window of class W, or a newly built one.
    template <class W>
    std::shared_ptr<W> ImplicitWindow() {
        if (auto w = FindWindow<W>()) return w;
        auto w = std::make_shared<W>();
        Adopt(w);
        return w;
    }

    // Brings every menu item up to date: items without a handler in reach are
    // disabled, then the front window's EnableMenuItems runs, then ours.
    void UpdateMenus();
    // Dispatches a menu choice: the front window's handler first, then ours;
    // the quit item quits. Returns whether anything handled it.
    bool ChooseMenuItem(const std::string& name);

    // Runs an event handler; an exception that escapes it is reported on
    // standard error with what was being handled, and the program goes on.
    static void Guard(const char* what, const std::function<void()>& handler);
    static int UnhandledCount() { return unhandled_; }

    void ShowURL(const std::string& url);
    // Addresses asked for while headless (tests read them).
    const std::vector<std::string>& ShownURLs() const { return shownUrls_; }

private:
    friend class Window;
    // Registers a new window and builds it; one whose building fails is dropped.
    void Adopt(const std::shared_ptr<Window>& w);
    void WindowShown(Window& w);
    void BringToFront(Window& w);
    void WindowClosed(Window& w);
    bool HasHandler(const std::string& name) const;

    static Application* instance_;
    static int unhandled_;
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
    fw::ResourceFork resources_;
    fw::Clock clock_;
    Host* host_ = nullptr;
    std::vector<std::shared_ptr<Window>> windows_;
    std::vector<std::string> shownUrls_;
    bool quitting_ = false;
};

// Opens a web address in the user's browser.
void ShowURL(const std::string& url);

// The open window of class W, or a newly built one, of the registered application.
template <class W>
std::shared_ptr<W> ImplicitWindow() {
    auto* app = Application::Instance();
    if (!app) throw NilObjectException("no application object");
    return app->ImplicitWindow<W>();
}

}  // namespace fw
