// The Qt host: shows framework windows as real top-level Qt windows, gives
// them native menu bars, runs the event loop and drives the clock in real time.
#pragma once

#include <QCursor>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/application.h"

class QMenuBar;

namespace fw {

class QtHostWindow;

// The content area of a window: shows its image, reads the mouse.
class QtContentView : public QWidget {
public:
    explicit QtContentView(QtHostWindow& owner);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QtHostWindow& owner_;
};

// The top-level Qt window of one framework window.
class QtHostWindow : public QMainWindow {
public:
    explicit QtHostWindow(Window& w);

    QtContentView* Content() const { return content_; }
    // The framework window shown, or nil once it has closed or gone.
    Window* Attached() const { return window_; }
    // From now on nothing reaches the framework window.
    void Detach() { window_ = nullptr; }
    // Whether one of our events is being handled further up the stack; then
    // the widget may only be deleted later.
    bool Busy() const { return busy_ > 0; }

    // Runs fn on the framework window, guarded, unless the window has closed.
    void Deliver(const char* what, const std::function<void(Window&)>& fn);

    // Takes size and title from the framework window when they changed.
    void SyncFromWindow();
    void ApplyCursor(const CursorPtr& c);
    void ShowFirstTime();
    // Whether the window carries the application's menus (a dialog-like one does not).
    bool HasMenuBar() const { return hasMenuBar_; }

    // The menu bar this window's menus were built from.
    std::weak_ptr<fw::MenuBar> menusFrom;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Window* window_;
    QtContentView* content_;
    std::string title_;
    QSize contentSize_;
    bool placed_ = false;
    bool hasMenuBar_ = true;
    int busy_ = 0;
    // Cursors already made, per cursor object; the weak pointer tells the
    // object we saw from a new one at a recycled address.
    struct CachedCursor {
        std::weak_ptr<MouseCursor> source;
        QCursor cursor;
    };
    std::map<const MouseCursor*, CachedCursor> cursors_;
};

class QtHost : public Host {
public:
    QtHost();
    // Takes app at once (Application::SetHost); app must outlive the host.
    explicit QtHost(Application& app);
    // Installs the real-time clock into the application.
    void Attach(Application& app) override;
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    std::unique_ptr<HostWindow> CreateWindow(Window& w) override;
    void ShowURL(const std::string& url) override;
    int RunLoop() override;
    void Quit() override;
    void LastWindowClosed() override;

    // The host now running, or nil.
    static QtHost* Active() { return active_; }
    // The Qt window showing w, or nil.
    static QtHostWindow* WidgetOf(const Window& w);

    // (Re)builds the application's menus into a window's menu bar.
    void BuildMenus(QtHostWindow& window);
    // Acts on a key typed in a window; whether it was a menu shortcut.
    bool HandleShortcut(QKeyCombination typed);
    // The application served, while it is still the registered one; else nil.
    Application* LiveApp() const;

private:
    void ArmTimer();

    static QtHost* active_;
    Application* app_ = nullptr;
    QElapsedTimer elapsed_;
    QTimer timer_;
    // macOS shows one menu bar for the whole application.
    std::unique_ptr<QMenuBar> sharedBar_;
    std::weak_ptr<fw::MenuBar> sharedFrom_;
};

}  // namespace fw
