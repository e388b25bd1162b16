// Controls. Every control belongs to one window and is composed into that
// window's image in stacking order (creation order unless laid elsewhere):
// later controls lie above earlier ones. Changing what a control shows
// (place, size, visibility, caption, value ...) repaints the affected
// rectangles at once.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QRect>
#include <functional>
#include <string>

#include "cursor.h"
#include "graphics.h"
#include "types.h"

namespace fw {

// What a composition of a window area does with what canvases drew on their
// Graphics since their last repaint.
enum class Composition {
    kRepaint,      // a repaint: wipes it
    kShowDrawing,  // a canvas drew: shows it, where the canvas shows
    kApart,        // what a full repaint would show, composed elsewhere: leaves it be
};

class Control : public std::enable_shared_from_this<Control> {
public:
    virtual ~Control() = default;

    int Index() const { return index_; }
    void SetIndex(int i) { index_ = i; }
    fw::Window* Window() const { return window_; }
    const std::string& Name() const { return name_; }

    // Open event handler, bound by the window.
    std::function<void()> Open;
    virtual void Event_Open() { if (Open) Open(); }
    // The window has closed or is being released: whatever runs on its own stops.
    virtual void WindowClosed() {}

protected:
    friend class fw::Window;
    fw::Window* window_ = nullptr;  // the owning window outlives its controls
    std::string name_;
    int index_ = 0;
};

class RectControl : public Control {
public:
    int Left() const { return rect_.x(); }
    int Top() const { return rect_.y(); }
    int Width() const { return rect_.width(); }
    int Height() const { return rect_.height(); }
    QRect Bounds() const { return rect_; }
    void SetLeft(int v) { SetBounds(QRect(v, Top(), Width(), Height())); }
    void SetTop(int v) { SetBounds(QRect(Left(), v, Width(), Height())); }
    void SetWidth(int v) { SetBounds(QRect(Left(), Top(), v, Height())); }
    void SetHeight(int v) { SetBounds(QRect(Left(), Top(), Width(), v)); }
    void SetBounds(int l, int t, int w, int h) { SetBounds(QRect(l, t, w, h)); }
    virtual void SetBounds(const QRect& r);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    // nil: the window's cursor shows over this control.
    const CursorPtr& MouseCursor() const { return cursor_; }
    void SetMouseCursor(CursorPtr c);

    // Repaints this control's rectangle with all that lies there, at once.
    void Refresh(bool eraseBackground = true);

    // Mouse handlers, bound by the window; x, y relative to the control's corner.
    std::function<bool(int, int)> MouseDown;
    std::function<void(int, int)> MouseDrag;
    std::function<void(int, int)> MouseUp;
    std::function<void()> MouseEnter;
    std::function<void()> MouseExit;

    virtual bool Event_MouseDown(int x, int y) { return MouseDown ? MouseDown(x, y) : false; }
    virtual void Event_MouseDrag(int x, int y) { if (MouseDrag) MouseDrag(x, y); }
    virtual void Event_MouseUp(int x, int y) { if (MouseUp) MouseUp(x, y); }
    virtual void Event_MouseEnter() { if (MouseEnter) MouseEnter(); }
    virtual void Event_MouseExit() { if (MouseExit) MouseExit(); }

    // Whether a press on this control is its own (else it goes to the window).
    virtual bool TakesPresses() const { return bool(MouseDown); }
    // A press of its own, the moves while the button is held and the release,
    // relative to the control's corner at each event. Press says whether the
    // control keeps the mouse until the release; refused, the press goes on
    // to the window. By default they are the MouseDown, MouseDrag and MouseUp
    // events; a control that answers presses by itself overrides them.
    virtual bool Press(int x, int y) { return Event_MouseDown(x, y); }
    virtual void Track(int x, int y) { Event_MouseDrag(x, y); }
    virtual void Release(int x, int y) { Event_MouseUp(x, y); }
    // Whether the point (window coordinates) hits the control.
    virtual bool HitTest(int x, int y) const { return rect_.contains(x, y); }
    // The rectangle this control paints (window coordinates).
    virtual QRect PaintRect() const { return rect_; }

    // Composes the control into its window's image, clipped to clip.
    virtual void Compose(QImage& image, const QRect& clip) = 0;

protected:
    void Invalidate();  // repaints PaintRect() now
    // The control drew on its face between repaints, in r (window coordinates).
    void DrewBetweenRepaints(const QRect& r);
    // What the composition under way does with such drawing.
    Composition Composing() const;
    QRect rect_;
    QImage face_;  // a styled control's rendered look, reused until it changes
    QString faceKey_;
    bool visible_ = true;
    bool enabled_ = true;
    CursorPtr cursor_;
};

// A control with a face of its own: backdrop, Paint event, Graphics.
class Canvas : public RectControl, public Surface {
public:
    Canvas() : graphics_(*this) {}

    bool EraseBackground = true;
    const PicturePtr& Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr p);

    // Draws on the canvas, relative to its corner and clipped to it. Within
    // Paint that is the repaint itself. At any other time the drawing becomes
    // part of the canvas's look until the next repaint of its area: it shows
    // where the canvas shows, under whatever lies above the canvas, and the
    // window composes it in at once (at the handler's end within a handler).
    // A hidden canvas's drawing never shows. Pixel reads what the window shows.
    fw::Graphics& Graphics() { return graphics_; }

    std::function<void(fw::Graphics&)> Paint;
    virtual void Event_Paint(fw::Graphics& g) { if (Paint) Paint(g); }

    void Compose(QImage& image, const QRect& clip) override;

    QImage* SurfaceImage() override;
    QPoint SurfaceOrigin() const override;
    QRect SurfaceClip() const override;
    void SurfaceChanged(const QRect& r) override;
    Color SurfacePixel(int x, int y) override;

private:
    // Lays or wipes what was drawn between repaints, within area (window coordinates).
    void LayDrawing(QImage& image, const QRect& area) const;
    void WipeDrawing(const QRect& area);

    PicturePtr backdrop_;
    fw::Graphics graphics_;
    // While the canvas is composed: the image it is composed into.
    QImage* paintTarget_ = nullptr;
    // What was drawn between repaints, in canvas coordinates, see-through
    // where nothing was; and the bounds of what may not be.
    QImage drawing_;
    QRect drawn_;
};

class Rectangle : public RectControl {
public:
    void SetFillColor(Color c) { fill_ = c; Invalidate(); }
    void SetBorderWidth(int w) { border_ = w; Invalidate(); }
    void SetTopLeftColor(Color c) { topLeft_ = c; Invalidate(); }
    void SetBottomRightColor(Color c) { bottomRight_ = c; Invalidate(); }
    Color FillColor() const { return fill_; }
    int BorderWidth() const { return border_; }

    void Compose(QImage& image, const QRect& clip) override;

private:
    Color fill_ = kWhite;
    int border_ = 1;
    Color topLeft_ = kBlack;
    Color bottomRight_ = kBlack;
};

// A straight line between two points in window coordinates.
class Line : public RectControl {
public:
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetX1(int v) { SetPoints(v, y1_, x2_, y2_); }
    void SetY1(int v) { SetPoints(x1_, v, x2_, y2_); }
    void SetX2(int v) { SetPoints(x1_, y1_, v, y2_); }
    void SetY2(int v) { SetPoints(x1_, y1_, x2_, v); }
    void SetPoints(int x1, int y1, int x2, int y2);
    int BorderWidth() const { return width_; }
    void SetBorderWidth(int w);
    Color LineColor() const { return color_; }
    void SetLineColor(Color c) { color_ = c; Invalidate(); }

    // Moving a line moves both of its points.
    void SetBounds(const QRect& r) override;
    QRect PaintRect() const override;
    void Compose(QImage& image, const QRect& clip) override;

private:
    void UpdateRect();
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int width_ = 1;
    Color color_ = kBlack;
};

// Text sizes are pixel sizes. A carriage return or line feed starts a new line.
class TextControl : public RectControl {
public:
    const std::string& Text() const { return text_; }
    void SetText(std::string t) { text_ = std::move(t); Invalidate(); }
    int TextSize() const { return textSize_; }
    void SetTextSize(int s) { textSize_ = s; Invalidate(); }
    void SetBold(bool b) { bold_ = b; Invalidate(); }

protected:
    QFont MakeFont() const;
    // Draws the control as the platform style's element (a QStyle::ControlElement)
    // in the given QStyle::State, remembering the look until it changes.
    void ComposeStyledButton(QImage& image, const QRect& clip, int element, int state, bool isDefault);
    std::string text_;
    int textSize_ = 12;
    bool bold_ = false;
};

// StaticText's text alignment.
enum TextAlignment : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

class StaticText : public TextControl {
public:
    Color TextColor() const { return color_; }
    void SetTextColor(Color c) { color_ = c; Invalidate(); }
    // A TextAlignment.
    void SetTextAlign(int a) { align_ = a; Invalidate(); }
    void SetMultiline(bool m) { multiline_ = m; Invalidate(); }

    void Compose(QImage& image, const QRect& clip) override;

private:
    Color color_ = kBlack;
    int align_ = kAlignLeft;
    bool multiline_ = false;
};

// A control that answers a click by itself, unless a MouseDown of the
// program's takes the press: it follows the held button and acts on a
// release on it.
class ClickControl : public TextControl {
public:
    const std::string& Caption() const { return text_; }
    void SetCaption(std::string c) { SetText(std::move(c)); }

    // Raised by a click: a release on the control after a press on it.
    std::function<void()> Action;
    virtual void Event_Action() { if (Action) Action(); }

    bool TakesPresses() const override { return true; }
    bool Press(int x, int y) override;
    void Track(int x, int y) override;
    void Release(int x, int y) override;

protected:
    // While the press is held: whether the pointer is on the control.
    virtual void Held(bool) {}
    virtual void Clicked() { Event_Action(); }

private:
    bool handlersTook_ = false;
};

// Shown pressed while the pointer stays on it after a press.
class PushButton : public ClickControl {
public:
    bool Default = false;
    bool Cancel = false;

    bool Pressed() const { return pressed_; }
    void SetPressed(bool p);
    void Compose(QImage& image, const QRect& clip) override;

protected:
    void Held(bool on) override { SetPressed(on); }

private:
    bool pressed_ = false;
};

// Toggles on a click, then raises its Action.
class CheckBox : public ClickControl {
public:
    bool Value() const { return value_; }
    void SetValue(bool v);
    void Compose(QImage& image, const QRect& clip) override;

protected:
    void Clicked() override;

private:
    bool value_ = false;
};

// Where a PopupArrow's triangle points.
enum ArrowFacing : int { kFacingRight = 0, kFacingLeft = 1, kFacingUp = 2, kFacingDown = 3 };

// A small disclosure triangle, its Facing an ArrowFacing.
inline constexpr Color kArrowInk{40, 40, 40};
inline constexpr Color kArrowDisabledInk{160, 160, 160};
class PopupArrow : public RectControl {
public:
    int Facing() const { return facing_; }
    void SetFacing(int f);
    void Compose(QImage& image, const QRect& clip) override;

private:
    int facing_ = kFacingRight;
};

// A Timer's Mode.
enum TimerMode : int { kTimerStopped = 0, kTimerOnce = 1, kTimerRepeating = 2 };

// Fires its Action on the event loop: once, or every Period ms.
class Timer : public Control {
public:
    ~Timer() override;
    int Mode() const { return mode_; }
    void SetMode(int m);
    int Period() const { return period_; }
    void SetPeriod(int ms);

    std::function<void()> Action;
    virtual void Event_Action() { if (Action) Action(); }

    // Called by the clock when the timer is due.
    void Fire();
    void Stop();
    void WindowClosed() override { Stop(); }

private:
    void Reschedule();
    int mode_ = kTimerStopped;
    int period_ = 1000;
};

}  // namespace fw
