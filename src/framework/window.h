// A window keeps an image of its content area. Its controls are composed into
// that image in stacking order, then its overlay; when a handler ends, the
// image is what a full repaint would show. Two kinds of drawing last only
// until a repaint of their area: drawing on the window's Graphics, which goes
// straight into the image over everything, and a canvas's drawing on its own
// Graphics, which becomes part of the canvas's look at its place in the
// stacking.
#pragma once

#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls.h"
#include "graphics.h"
#include "types.h"

namespace fw {

class HostWindow;

// A Window's Frame: the kind of window.
enum WindowFrame : int {
    kDocumentFrame = 0,
    kDialogFrame = 2,  // no menu bar of its own; the menu shortcuts still work
};
// A Window's Placement: both open in the middle of the screen.
enum WindowPlacement : int { kDefaultPlacement = 0, kCentredPlacement = 2 };

class Window : public Surface, public std::enable_shared_from_this<Window> {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Layout values, applied by Layout() before the window is built.
    std::string Title;
    int Placement = kDefaultPlacement;  // a WindowPlacement
    int Frame = kDocumentFrame;         // a WindowFrame
    bool HasBackColor = false;
    Color BackColor = kWhite;
    bool InitiallyVisible = true;
    bool CloseButton = true;
    bool Resizeable = true;
    bool MaximizeButton = true;
    bool MinimizeButton = true;
    int MinWidth = 64, MinHeight = 64, MaxWidth = 32000, MaxHeight = 32000;
    void SetSize(int w, int h);
    Color BackgroundColor() const { return HasBackColor ? BackColor : kWhite; }

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    // Builds the window: Layout, CreateControls, AddMenuHandlers, each control's
    // Open in creation order, the window's Open; then shows it when visible.
    void Build();

    void Show();   // shows a new window; brings an open one to the front unchanged
    void Close();  // discards the window; no event reaches it afterwards
    bool IsClosed() const { return closed_; }
    bool IsShown() const { return shown_; }
    bool IsActive() const { return active_; }

    // Repaints the whole window at once, wiping what was drawn on Graphics.
    void Refresh(bool eraseBackground = true);
    // Repaints one rectangle (window coordinates) at once, or at the end of
    // the handler while repaints are deferred.
    void RepaintRect(const QRect& r);

    // While one of these lives, repaints of the window are gathered and
    // composed when the outermost one ends: a handler that moves many
    // controls pays for each changed area once. Drawing straight on the
    // window, or reading its pixels, first composes what is pending, so such
    // drawing keeps its place in the order of things. The mouse entry points
    // and timer actions run inside one.
    class DeferredRepaints {
    public:
        explicit DeferredRepaints(Window& w);
        ~DeferredRepaints();
        DeferredRepaints(const DeferredRepaints&) = delete;
        DeferredRepaints& operator=(const DeferredRepaints&) = delete;

    private:
        Window& w_;
    };

    fw::Graphics& Graphics() { return graphics_; }
    const QImage& Image() const { return image_; }

    // A picture laid over the whole window at 0,0, after every control, in
    // every composition, as DrawPicture lays it (where its white is
    // transparent, the window shows through), so that what is drawn into it
    // stays on screen. Nil: none.
    void SetOverlay(PicturePtr overlay);
    const PicturePtr& Overlay() const { return overlay_; }

    // Stacking, bottom first: creation order until a control is laid
    // elsewhere. Lays c just above the topmost of others, unless it already
    // lies above them all; only c's own area is repainted.
    void StackInFrontOf(RectControl& c, const std::vector<const RectControl*>& others);
    // c's place in the stacking order, 0 at the bottom; -1 when not ours.
    int StackPosition(const RectControl& c) const;

    // What a full repaint of the whole window would show now, composed apart
    // into image (made the window's size when it is not): the window's image,
    // and what its canvases drew, stay as they are.
    void ComposeRepaint(QImage& image);
    QImage RepaintedImage() {
        QImage image;
        ComposeRepaint(image);
        return image;
    }

    const CursorPtr& MouseCursor() const { return cursor_; }
    void SetMouseCursor(CursorPtr c);
    // The cursor to show now, by the rules of the pointer's position and drag.
    CursorPtr CurrentCursor() const;

    // Menu handlers of this window, bound by item name.
    void AddMenuHandler(const std::string& name, std::function<bool()> handler);
    const std::function<bool()>* MenuHandler(const std::string& name) const;

    // Events the program overrides.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void Event_Open() {}
    virtual void Event_Activate() {}
    virtual void Event_EnableMenuItems() {}
    virtual bool Event_MouseDown(int, int) { return false; }
    virtual void Event_MouseDrag(int, int) {}
    virtual void Event_MouseUp(int, int) {}

    // Entry points of the host (and of tests): window coordinates.
    void HandleMouseDown(int x, int y);
    void HandleMouseMove(int x, int y);
    void HandleMouseUp(int x, int y);
    void HandleMouseLeave();
    void HandleActivated();
    void HandleDeactivated();
    void HandleCloseBox();

    const std::vector<std::shared_ptr<RectControl>>& Controls() const { return controls_; }
    void SetHostWindow(std::unique_ptr<HostWindow> host);
    HostWindow* Host() const { return host_.get(); }

    // Surface
    QImage* SurfaceImage() override;
    QRect SurfaceClip() const override { return image_.rect(); }
    void SurfaceChanged(const QRect& r) override;

protected:
    // Creates a control, adds it under name and lays it above the earlier ones.
    template <class C, class... Args>
    std::shared_ptr<C> NewControl(const std::string& name, Args&&... args) {
        auto c = std::make_shared<C>(std::forward<Args>(args)...);
        Adopt(c, name);
        return c;
    }
    void Adopt(const std::shared_ptr<Control>& c, const std::string& name);

private:
    friend class RectControl;
    friend class Application;
    void Activate();
    void Deactivate() { active_ = false; }
    // Composes every pending area now.
    void FlushRepaints();
    void ComposeRect(const QRect& r, Composition how = Composition::kRepaint);
    void ComposeInto(QImage& image, const QRect& r, Composition how);
    void LayOverlay(QImage& image, const QRect& r);
    // A control drew on its face between repaints, in r.
    void ControlDrew(const QRect& r);
    RectControl* ControlAt(int x, int y) const;
    void UpdateHover();
    void UpdateCursor();
    void Notify(const QRect& r);
    // The window has closed: nothing of its controls' may run on.
    void QuietControls();

    QImage image_;
    fw::Graphics graphics_;
    CursorPtr cursor_;
    std::vector<std::shared_ptr<RectControl>> controls_;
    std::vector<std::shared_ptr<Control>> others_;  // timers and other faceless controls
    std::vector<std::shared_ptr<Control>> opening_;  // awaiting their Open, in creation order
    std::map<std::string, std::function<bool()>> menuHandlers_;
    std::unique_ptr<HostWindow> host_;
    CursorPtr shownCursor_;
    PicturePtr overlay_;

    // Mouse state: a press is held by the control that took it, or by the window.
    enum class Grab { None, Window, Control };
    template <class Body>
    void MouseEvent(const char* what, int x, int y, Body&& body);
    Grab grab_ = Grab::None;
    std::shared_ptr<RectControl> grabbed_;
    QPoint pointer_{-1, -1};
    bool pointerInside_ = false;
    bool buttonDown_ = false;
    std::vector<RectControl*> hovered_;

    // Deferred repaints, and areas where controls drew, to be composed again
    // with their drawing.
    int deferDepth_ = 0;
    bool flushing_ = false;
    bool composing_ = false;
    Composition composition_ = Composition::kRepaint;
    std::vector<QRect> pending_;
    std::vector<QRect> drawnPending_;

    bool built_ = false;
    bool shown_ = false;
    bool active_ = false;
    bool closed_ = false;
};

}  // namespace fw
