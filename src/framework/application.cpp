#include "application.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace fw {

Application* Application::instance_ = nullptr;
int Application::unhandled_ = 0;

Application::Application() { instance_ = this; }

Application::~Application() {
    // Windows go first, while the clock their timers cancel from still exists.
    ReleaseWindows();
    if (instance_ == this) instance_ = nullptr;
}

void Application::AddMenuHandler(const std::string& name, std::function<bool()> handler) {
    menuHandlers_[name] = std::move(handler);
}

int Application::Run() {
    Guard("application open", [this] { Event_Open(); });
    if (!host_ || quitting_) return 0;
    if (windows_.empty()) return 0;  // nothing to show, nothing to wait for
    return host_->RunLoop();
}

void Application::Quit() {
    if (quitting_) return;
    quitting_ = true;
    // The one way out: every window closes, front to back, with no activation
    // handed on; then the host leaves its event loop.
    const auto windows = windows_;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->Close();
    if (host_) host_->Quit();
}

void Application::ReleaseWindows() {
    auto windows = std::move(windows_);
    windows_.clear();
    for (auto& w : windows) {
        w->closed_ = true;
        w->QuietControls();
        if (w->host_) w->host_->Close();
    }
}

std::shared_ptr<Window> Application::FrontWindow() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->IsShown()) return *it;
    return nullptr;
}

void Application::Adopt(const std::shared_ptr<Window>& w) {
    // Registered before it is built, so that its own Open handlers can reach it.
    windows_.insert(windows_.begin(), w);
    try {
        w->Build();
    } catch (...) {
        // A half-built window must not be handed out by later lookups.
        w->Close();
        std::erase(windows_, w);
        throw;
    }
}

void Application::WindowShown(Window& w) {
    if (host_ && !w.Host()) w.SetHostWindow(host_->CreateWindow(w));
}

void Application::BringToFront(Window& w) {
    auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& p) { return p.get() == &w; });
    if (it == windows_.end()) return;
    auto keep = *it;
    windows_.erase(it);
    windows_.push_back(std::move(keep));
}

void Application::WindowClosed(Window& w) {
    const bool wasFront = FrontWindow().get() == &w;
    std::erase_if(windows_, [&](const auto& p) { return p.get() == &w; });
    if (quitting_) return;
    if (windows_.empty()) {
        if (host_) host_->LastWindowClosed();
        return;
    }
    // The window behind the closed one becomes the active one.
    if (wasFront)
        if (auto front = FrontWindow()) front->Activate();
}

bool Application::HasHandler(const std::string& name) const {
    if (auto front = FrontWindow(); front && front->MenuHandler(name)) return true;
    return menuHandlers_.count(name) > 0;
}

void Application::UpdateMenus() {
    Guard("menu update", [this] {
        if (menuBar_)
            menuBar_->ForEach([&](MenuItem& item, const MenuItem& parent) {
                const bool isTitle = !item.Items().empty() || &parent == menuBar_.get();
                if (item.AutoEnable && !isTitle) item.Enabled = item.IsQuitItem() || HasHandler(item.Name);
            });
        if (auto front = FrontWindow()) front->Event_EnableMenuItems();
        Event_EnableMenuItems();
    });
}

bool Application::ChooseMenuItem(const std::string& name) {
    bool handled = false;
    Guard("menu choice", [&] {
        auto keepFront = FrontWindow();
        if (keepFront)
            if (const auto* h = keepFront->MenuHandler(name)) {
                handled = true;
                if ((*h)()) return;
            }
        if (auto it = menuHandlers_.find(name); it != menuHandlers_.end()) {
            handled = true;
            auto handler = it->second;  // a handler may rebind handlers
            if (handler()) return;
        }
        // No handler took the choice (none returned true): the quit item quits.
        if (menuBar_)
            if (auto item = menuBar_->Lookup(name); item && item->IsQuitItem()) {
                handled = true;
                Quit();
            }
    });
    return handled;
}

void Application::Guard(const char* what, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ++unhandled_;
        std::fprintf(stderr, "cladeworks: unhandled exception during %s: %s\n", what, e.what());
    } catch (...) {
        ++unhandled_;
        std::fprintf(stderr, "cladeworks: unhandled exception during %s\n", what);
    }
}

void Application::ShowURL(const std::string& url) {
    shownUrls_.push_back(url);
    if (host_) host_->ShowURL(url);
}

void ShowURL(const std::string& url) {
    if (auto* app = Application::Instance()) app->ShowURL(url);
}

}  // namespace fw
