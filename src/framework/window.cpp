#include "window.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "application.h"

namespace fw {

namespace {
// Points far beyond any screen are held to this range, which leaves handlers
// room to add or subtract a few coordinates (a control dragged far out
// included) without overflow.
constexpr int kPointLimit = 1 << 29;
int HoldPoint(int v) { return std::clamp(v, -kPointLimit, kPointLimit); }
// A window point relative to a control's corner; the control may stand far out.
int Relative(int point, int corner) {
    return int(std::clamp<int64_t>(int64_t(point) - corner, INT_MIN, INT_MAX));
}
}  // namespace

Window::Window() : graphics_(*this) { SetSize(100, 100); }

Window::~Window() = default;

void Window::SetSize(int w, int h) {
    image_ = QImage(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    image_.fill(QColor(BackgroundColor().r, BackgroundColor().g, BackgroundColor().b));
}

void Window::Adopt(const std::shared_ptr<Control>& c, const std::string& name) {
    c->window_ = this;
    c->name_ = name;
    if (auto rc = std::dynamic_pointer_cast<RectControl>(c)) controls_.push_back(rc);
    else others_.push_back(c);
    opening_.push_back(c);
}

void Window::Build() {
    auto self = shared_from_this();
    Layout();
    SetSize(image_.width(), image_.height());  // the back colour may have changed
    CreateControls();
    AddMenuHandlers();
    // Opens in creation order; the window's own comes last.
    auto opening = std::move(opening_);
    opening_.clear();
    for (auto& c : opening) {
        if (closed_) return;
        c->Event_Open();
    }
    if (closed_) return;
    Event_Open();
    built_ = true;
    if (closed_) return;
    ComposeRect(image_.rect());
    if (InitiallyVisible) Show();
}

void Window::Show() {
    if (closed_) return;
    auto self = shared_from_this();
    auto* app = Application::Instance();
    if (!shown_) {
        shown_ = true;
        if (app) app->WindowShown(*this);
        if (host_) host_->Show();
    } else if (host_) {
        host_->Raise();
    }
    if (app) app->BringToFront(*this);
    Activate();
}

void Window::Activate() {
    if (closed_ || active_) return;
    if (auto* app = Application::Instance())
        for (auto& w : app->Windows())
            if (w.get() != this) w->Deactivate();
    active_ = true;
    Application::Guard("window activation", [this] { Event_Activate(); });
}

void Window::HandleActivated() {
    if (closed_ || active_) return;
    auto self = shared_from_this();
    if (auto* app = Application::Instance()) app->BringToFront(*this);
    Activate();
}

void Window::HandleDeactivated() { active_ = false; }

void Window::HandleCloseBox() {
    if (closed_) return;
    auto self = shared_from_this();
    Close();
}

void Window::Close() {
    if (closed_) return;
    auto self = shared_from_this();  // keeps us alive while a handler of ours runs
    closed_ = true;
    active_ = false;
    grab_ = Grab::None;
    QuietControls();
    if (host_) host_->Close();
    if (auto* app = Application::Instance()) app->WindowClosed(*this);
}

void Window::QuietControls() {
    for (auto& c : controls_) c->WindowClosed();
    for (auto& c : others_) c->WindowClosed();
}

void Window::Refresh(bool) { RepaintRect(image_.rect()); }

namespace {
// Whether a and b together fill a rectangle: one holds the other, or they
// share two opposite sides and meet or overlap.
bool UnionIsRect(const QRect& a, const QRect& b) {
    if (a.contains(b) || b.contains(a)) return true;
    if (a.left() == b.left() && a.right() == b.right())
        return a.top() <= b.bottom() + 1 && b.top() <= a.bottom() + 1;
    if (a.top() == b.top() && a.bottom() == b.bottom())
        return a.left() <= b.right() + 1 && b.left() <= a.right() + 1;
    return false;
}

// Areas whose union is a rectangle become that rectangle, so that a control
// moved by a pixel is composed once for where it was and is. Other areas
// stay apart: composing a pixel twice gives it the same look, while a wider
// union would wipe drawing that no repaint covers.
void AddArea(std::vector<QRect>& areas, QRect r) {
    if (r.isEmpty()) return;
    for (size_t i = 0; i < areas.size();) {
        if (UnionIsRect(areas[i], r)) {
            r |= areas[i];
            areas[i] = areas.back();
            areas.pop_back();
            i = 0;
        } else {
            ++i;
        }
    }
    areas.push_back(r);
}
}  // namespace

void Window::RepaintRect(const QRect& r) {
    if (!built_ || closed_) return;
    if (deferDepth_ > 0) {
        AddArea(pending_, r & image_.rect());
        return;
    }
    ComposeRect(r);
}

Window::DeferredRepaints::DeferredRepaints(Window& w) : w_(w) { ++w_.deferDepth_; }

Window::DeferredRepaints::~DeferredRepaints() {
    if (--w_.deferDepth_ == 0) w_.FlushRepaints();
}

void Window::FlushRepaints() {
    if (flushing_) return;  // a canvas painting during the flush draws where it is composed
    const ScopedValue flushing(flushing_, true);
    // Painting may move controls again: whatever that adds is composed too.
    while (!pending_.empty() || !drawnPending_.empty()) {
        const std::vector<QRect> drawn = std::exchange(drawnPending_, {});
        const std::vector<QRect> areas = std::exchange(pending_, {});
        if (closed_) return;
        // A control's paint may raise: that is reported like a handler's, and
        // the other areas are still composed. Drawing flushes what is pending
        // before it draws, so the repaints still pending came after it and
        // are composed after it.
        for (const QRect& r : drawn) {
            // A repaint that covers it wipes the drawing anyway: no need to show it first.
            if (std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(r); })) continue;
            Application::Guard("repaint", [&] { ComposeRect(r, Composition::kShowDrawing); });
        }
        for (const QRect& r : areas) Application::Guard("repaint", [&] { ComposeRect(r); });
    }
}

QImage* Window::SurfaceImage() {
    FlushRepaints();
    return &image_;
}

void Window::ComposeRect(const QRect& rect, Composition how) {
    const QRect r = rect & image_.rect();
    if (r.isEmpty()) return;
    ComposeInto(image_, r, how);
    Notify(r);
}

void Window::ComposeInto(QImage& image, const QRect& r, Composition how) {
    const Color bg = BackgroundColor();
    const uint32_t px = bg.ToRgb32();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, px);
    }
    {
        const ScopedValue composing(composing_, true);
        const ScopedValue composition(composition_, how);
        for (auto& c : controls_)
            if (c->Visible() && c->PaintRect().intersects(r)) c->Compose(image, r);
    }
    LayOverlay(image, r);
}

void Window::ComposeRepaint(QImage& image) {
    if (image.size() != image_.size() || image.format() != image_.format())
        image = QImage(image_.size(), image_.format());
    ComposeInto(image, image.rect(), Composition::kApart);
}

void Window::LayOverlay(QImage& image, const QRect& r) {
    if (!overlay_) return;
    // A see-through overlay touches only where it holds ink: an empty one costs nothing.
    const bool seeThrough = overlay_->Transparent == kWhiteTransparent;
    const QRect area = (seeThrough ? overlay_->InkBounds() & r : r) & image.rect();
    if (!area.isEmpty()) BlitImage(image, overlay_->Image(), QPoint(0, 0), area, seeThrough);
}

void Window::SetOverlay(PicturePtr overlay) {
    overlay_ = std::move(overlay);
    RepaintRect(image_.rect());
}

void Window::ControlDrew(const QRect& r) {
    if (!built_ || closed_) return;
    // The area is composed again, the drawing in its place: what lies above
    // the control stays above it.
    if (deferDepth_ > 0 || flushing_ || composing_) AddArea(drawnPending_, r & image_.rect());
    else ComposeRect(r, Composition::kShowDrawing);
}

void Window::SurfaceChanged(const QRect& r) { Notify(r); }

int Window::StackPosition(const RectControl& c) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == &c) return int(i);
    return -1;
}

void Window::StackInFrontOf(RectControl& c, const std::vector<const RectControl*>& others) {
    const int from = StackPosition(c);
    int top = -1;
    for (const RectControl* o : others)
        if (o != &c) top = std::max(top, StackPosition(*o));
    if (from < 0 || top < from) return;
    // Out of its place, and in again just above the topmost: the others keep their order.
    auto moving = controls_[from];
    controls_.erase(controls_.begin() + from);
    controls_.insert(controls_.begin() + top, std::move(moving));
    if (c.Visible()) RepaintRect(c.PaintRect());
}

void Window::Notify(const QRect& r) {
    if (host_ && !closed_) host_->Present(r);
}

void Window::SetHostWindow(std::unique_ptr<HostWindow> host) { host_ = std::move(host); }

void Window::SetMouseCursor(CursorPtr c) {
    cursor_ = std::move(c);
    UpdateCursor();
}

void Window::AddMenuHandler(const std::string& name, std::function<bool()> handler) {
    menuHandlers_[name] = std::move(handler);
}

const std::function<bool()>* Window::MenuHandler(const std::string& name) const {
    auto it = menuHandlers_.find(name);
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

// ---- Mouse -------------------------------------------------------------

RectControl* Window::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->Visible() && (*it)->HitTest(x, y)) return it->get();
    return nullptr;
}

// What every mouse entry point does first and last: the point held to a sane
// range, the pointer's place, one batch of repaints, one guard, the cursor.
template <class Body>
void Window::MouseEvent(const char* what, int x, int y, Body&& body) {
    if (closed_) return;
    x = HoldPoint(x), y = HoldPoint(y);
    auto self = shared_from_this();
    Application::Guard(what, [&] {
        DeferredRepaints batch(*this);
        pointer_ = {x, y};
        body(x, y);
        if (!closed_) UpdateCursor();
    });
}

void Window::HandleMouseDown(int x, int y) {
    MouseEvent("mouse press", x, y, [this](int x, int y) {
        pointerInside_ = true;
        buttonDown_ = true;
        grab_ = Grab::None;
        grabbed_.reset();
        RectControl* hit = ControlAt(x, y);
        if (hit && hit->TakesPresses()) {
            // The topmost control under the point owns the press.
            if (!hit->Enabled()) return;
            auto control = std::static_pointer_cast<RectControl>(hit->shared_from_this());
            if (hit->Press(Relative(x, hit->Left()), Relative(y, hit->Top()))) {
                if (closed_) return;
                grab_ = Grab::Control;
                grabbed_ = control;
                return;
            }
            if (closed_) return;
            // Refused: the press goes on to the window.
        }
        if (Event_MouseDown(x, y) && !closed_) grab_ = Grab::Window;
    });
}

void Window::HandleMouseMove(int x, int y) {
    MouseEvent("mouse move", x, y, [this](int x, int y) {
        pointerInside_ = true;
        switch (grab_) {
        case Grab::Window:
            Event_MouseDrag(x, y);
            break;
        case Grab::Control: {
            auto c = grabbed_;  // the handler may move the control: corners are read afresh
            c->Track(Relative(x, c->Left()), Relative(y, c->Top()));
            break;
        }
        case Grab::None:
            if (!buttonDown_) UpdateHover();
            break;
        }
    });
}

void Window::HandleMouseUp(int x, int y) {
    MouseEvent("mouse release", x, y, [this](int x, int y) {
        buttonDown_ = false;
        const Grab grab = std::exchange(grab_, Grab::None);
        auto c = std::move(grabbed_);
        grabbed_.reset();
        if (grab == Grab::Window) Event_MouseUp(x, y);
        else if (grab == Grab::Control) c->Release(Relative(x, c->Left()), Relative(y, c->Top()));
        if (!closed_) UpdateHover();
    });
}

void Window::HandleMouseLeave() {
    if (closed_) return;
    auto self = shared_from_this();
    Application::Guard("mouse exit", [&] {
        pointerInside_ = false;
        if (!buttonDown_) UpdateHover();
    });
}

void Window::UpdateHover() {
    std::vector<RectControl*> now;
    if (pointerInside_)
        for (auto& c : controls_)
            if (c->Visible() && c->Bounds().contains(pointer_)) now.push_back(c.get());
    const std::vector<RectControl*> before = std::move(hovered_);
    hovered_ = now;
    // Exits before enters, each in creation order.
    for (RectControl* c : before)
        if (std::find(now.begin(), now.end(), c) == now.end()) {
            c->Event_MouseExit();
            if (closed_) return;
        }
    for (RectControl* c : now)
        if (std::find(before.begin(), before.end(), c) == before.end()) {
            c->Event_MouseEnter();
            if (closed_) return;
        }
}

CursorPtr Window::CurrentCursor() const {
    if (grab_ != Grab::None) {
        if (grabbed_ && grabbed_->MouseCursor()) return grabbed_->MouseCursor();
        return cursor_ ? cursor_ : ArrowCursor();
    }
    if (pointerInside_)
        if (RectControl* c = ControlAt(pointer_.x(), pointer_.y()); c && c->MouseCursor()) return c->MouseCursor();
    return cursor_ ? cursor_ : ArrowCursor();
}

void Window::UpdateCursor() {
    CursorPtr c = CurrentCursor();
    if (c == shownCursor_) return;
    shownCursor_ = c;
    if (host_ && !closed_) host_->SetCursor(c);
}

}  // namespace fw
