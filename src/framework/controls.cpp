#include "controls.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <algorithm>

#include "application.h"
#include "window.h"

namespace fw {

namespace {

// One style for every machine, so that controls look alike everywhere.
QStyle* NativeStyle() {
    static QStyle* style = [] {
        QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"));
        if (!s && qApp) s = QApplication::style();
        return s;
    }();
    return style;
}

// A surface over part of a window image, for drawing a control's face with
// the same pen rules as Graphics.
class ImageSurface final : public Surface {
public:
    ImageSurface(QImage& image, QRect clip) : image_(image), clip_(clip) {}
    QImage* SurfaceImage() override { return &image_; }
    QRect SurfaceClip() const override { return clip_; }

private:
    QImage& image_;
    QRect clip_;
};

void FillImage(QImage& image, const QRect& clip, const QRect& r, Color c) {
    ImageSurface surface(image, clip);
    Graphics g(surface);
    g.ForeColor = c;
    g.FillRect(r.x(), r.y(), r.width(), r.height());
}

// Renders a styled control into a transparent image of its size; the result
// is kept until its look changes, so repaints are a copy.
template <class Draw>
const QImage& StyledFace(QImage& cache, QString& cacheKey, const QString& key, QSize size, Draw draw) {
    if (cacheKey != key || cache.size() != size) {
        cache = QImage(size, QImage::Format_ARGB32_Premultiplied);
        cache.fill(Qt::transparent);
        if (!size.isEmpty()) {
            QPainter p(&cache);
            draw(p);
        }
        cacheKey = key;
    }
    return cache;
}

// One palette for every face: the style caches what it draws under keys that
// include the palette's identity, so a fresh palette per face would fill its
// pixmap cache with entries that never repeat.
// A disabled control draws from the palette's disabled colours.
const QPalette& StylePalette(bool enabled) {
    static const QPalette active = NativeStyle() ? NativeStyle()->standardPalette() : QPalette();
    static const QPalette disabled = [] {
        QPalette p = active;
        p.setCurrentColorGroup(QPalette::Disabled);
        return p;
    }();
    return enabled ? active : disabled;
}

void DrawFace(QImage& image, const QRect& clip, const QRect& rect, const QImage& face) {
    QPainter p(&image);
    p.setClipRect(clip);
    p.drawImage(rect.topLeft(), face);
}

QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }

}  // namespace

// ---- RectControl -------------------------------------------------------

void RectControl::SetBounds(const QRect& r) {
    if (r == rect_) return;
    const QRect before = PaintRect();
    rect_ = r;
    if (window_ && visible_) {
        window_->RepaintRect(before);
        window_->RepaintRect(PaintRect());
    }
}

void RectControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (window_) window_->RepaintRect(PaintRect());
}

void RectControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Invalidate();
}

void RectControl::SetMouseCursor(CursorPtr c) {
    cursor_ = std::move(c);
    if (window_) window_->UpdateCursor();
}

void RectControl::Refresh(bool) {
    if (window_) window_->RepaintRect(PaintRect());
}

void RectControl::Invalidate() {
    if (window_ && visible_) window_->RepaintRect(PaintRect());
}

void RectControl::DrewBetweenRepaints(const QRect& r) {
    if (window_) window_->ControlDrew(r);
}

Composition RectControl::Composing() const { return window_ ? window_->composition_ : Composition::kRepaint; }

// ---- Canvas ------------------------------------------------------------

void Canvas::SetBackdrop(PicturePtr p) {
    backdrop_ = std::move(p);
    Invalidate();
}

void Canvas::Compose(QImage& image, const QRect& clip) {
    const QRect area = clip & rect_;
    if (area.isEmpty()) return;
    if (EraseBackground) FillImage(image, area, area, window_ ? window_->BackgroundColor() : kWhite);
    if (backdrop_) BlitImage(image, backdrop_->Image(), rect_.topLeft(), area, backdrop_->Transparent == kWhiteTransparent);
    {
        // The Paint draws into the image being composed, within the area.
        const ScopedValue target(paintTarget_, &image);
        struct ClipScope {
            fw::Graphics& g;
            ~ClipScope() { g.SetPaintClip(std::nullopt); }
        } scope{graphics_};
        graphics_.SetPaintClip(area);
        Event_Paint(graphics_);
    }
    switch (Composing()) {
    case Composition::kRepaint: WipeDrawing(area); break;
    case Composition::kShowDrawing: LayDrawing(image, area); break;
    case Composition::kApart: break;
    }
}

void Canvas::LayDrawing(QImage& image, const QRect& area) const {
    if (drawing_.size() != rect_.size()) return;  // resized since: wiped by the repaint
    const QRect from = drawn_ & area.translated(-rect_.topLeft());
    if (from.isEmpty()) return;
    QPainter p(&image);
    p.drawImage(from.topLeft() + rect_.topLeft(), drawing_, from);
}

void Canvas::WipeDrawing(const QRect& area) {
    const QRect wiped = drawn_ & area.translated(-rect_.topLeft());
    if (wiped.isEmpty()) return;
    for (int y = wiped.top(); y <= wiped.bottom(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(drawing_.scanLine(y));
        std::fill(line + wiped.left(), line + wiped.right() + 1, 0u);
    }
    if (wiped == drawn_) drawn_ = QRect();
}

QImage* Canvas::SurfaceImage() {
    if (paintTarget_) return paintTarget_;
    if (!window_ || !visible_) return nullptr;
    // What is pending comes first, so that the drawing keeps its place in the order of things.
    window_->SurfaceImage();
    if (drawing_.size() != rect_.size()) {
        drawing_ = QImage(rect_.size(), QImage::Format_ARGB32_Premultiplied);
        drawing_.fill(Qt::transparent);
        drawn_ = QRect();
    }
    return &drawing_;
}

QPoint Canvas::SurfaceOrigin() const { return paintTarget_ ? rect_.topLeft() : QPoint(); }

QRect Canvas::SurfaceClip() const {
    if (paintTarget_) return rect_ & paintTarget_->rect();
    // Only what can show within the window.
    return window_ ? (rect_ & window_->Image().rect()).translated(-rect_.topLeft()) : QRect();
}

void Canvas::SurfaceChanged(const QRect& r) {
    if (paintTarget_) return;  // part of the composition under way
    drawn_ |= r;
    DrewBetweenRepaints(r.translated(rect_.topLeft()));
}

Color Canvas::SurfacePixel(int x, int y) {
    QImage* shown = paintTarget_ ? paintTarget_ : window_ ? window_->SurfaceImage() : nullptr;
    return ReadPixel(shown, rect_.topLeft(), shown ? rect_ & shown->rect() : QRect(), x, y);
}

// ---- Rectangle ---------------------------------------------------------

void Rectangle::Compose(QImage& image, const QRect& clip) {
    const QRect area = clip & rect_;
    if (area.isEmpty()) return;
    FillImage(image, area, rect_, fill_);
    const int b = std::min({border_, rect_.width(), rect_.height()});
    if (b <= 0) return;
    const QRect r = rect_;
    // Bottom and right edges first, so that the top-left colour owns the corners it shares.
    FillImage(image, area, QRect(r.x(), r.bottom() - b + 1, r.width(), b), bottomRight_);
    FillImage(image, area, QRect(r.right() - b + 1, r.y(), b, r.height()), bottomRight_);
    FillImage(image, area, QRect(r.x(), r.y(), r.width(), b), topLeft_);
    FillImage(image, area, QRect(r.x(), r.y(), b, r.height() - b), topLeft_);
}

// ---- Line --------------------------------------------------------------

void Line::SetPoints(int x1, int y1, int x2, int y2) {
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
    const QRect before = PaintRect();
    x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
    UpdateRect();
    if (window_ && visible_) {
        window_->RepaintRect(before);
        window_->RepaintRect(PaintRect());
    }
}

void Line::SetBorderWidth(int w) {
    const QRect before = PaintRect();
    width_ = std::max(0, w);
    if (window_ && visible_) {
        window_->RepaintRect(before);
        window_->RepaintRect(PaintRect());
    }
}

void Line::UpdateRect() {
    rect_ = QRect(std::min(x1_, x2_), std::min(y1_, y2_), std::abs(x2_ - x1_), std::abs(y2_ - y1_));
}

void Line::SetBounds(const QRect& r) {
    const int dx = r.x() - rect_.x(), dy = r.y() - rect_.y();
    SetPoints(x1_ + dx, y1_ + dy, x2_ + dx, y2_ + dy);
}

QRect Line::PaintRect() const {
    // The pen hangs right and down from each point of the line.
    return QRect(rect_.x(), rect_.y(), rect_.width() + width_, rect_.height() + width_);
}

void Line::Compose(QImage& image, const QRect& clip) {
    const QRect area = clip & PaintRect();
    if (area.isEmpty() || width_ <= 0) return;
    ImageSurface surface(image, area);
    Graphics g(surface);
    g.UseOldRenderer = true;
    g.PenWidth = g.PenHeight = width_;
    g.ForeColor = color_;
    g.DrawLine(x1_, y1_, x2_, y2_);
}

// ---- Text controls -----------------------------------------------------

QFont TextControl::MakeFont() const {
    QFont f = qApp ? QGuiApplication::font() : QFont();
    f.setPixelSize(std::max(1, textSize_));
    f.setBold(bold_);
    return f;
}

static QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

void StaticText::Compose(QImage& image, const QRect& clip) {
    const QRect area = clip & rect_;
    if (area.isEmpty() || text_.empty()) return;
    QPainter p(&image);
    p.setClipRect(area);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(MakeFont());
    p.setPen(enabled_ ? ToQColor(color_) : QColor(150, 150, 150));
    int flags = Qt::AlignTop;
    flags |= align_ == kAlignCenter ? Qt::AlignHCenter : align_ == kAlignRight ? Qt::AlignRight : Qt::AlignLeft;
    QString text = DisplayText(text_);
    if (multiline_) flags |= Qt::TextWordWrap;
    else text = text.section(QChar('\n'), 0, 0);
    p.drawText(rect_, flags, text);
}

namespace {
// Whether a control-relative point lies on the control.
bool Inside(const RectControl& c, int x, int y) { return x >= 0 && y >= 0 && x < c.Width() && y < c.Height(); }
}  // namespace

bool ClickControl::Press(int x, int y) {
    handlersTook_ = RectControl::Press(x, y);
    if (!handlersTook_) Held(true);
    return true;
}

void ClickControl::Track(int x, int y) {
    if (handlersTook_) RectControl::Track(x, y);
    else Held(Inside(*this, x, y));
}

void ClickControl::Release(int x, int y) {
    if (handlersTook_) {
        RectControl::Release(x, y);
        return;
    }
    Held(false);
    if (Inside(*this, x, y) && Visible() && Enabled()) Clicked();
}

void PushButton::SetPressed(bool p) {
    if (p == pressed_) return;
    pressed_ = p;
    Invalidate();
}

void TextControl::ComposeStyledButton(QImage& image, const QRect& clip, int element, int state, bool isDefault) {
    const QRect area = clip & rect_;
    if (area.isEmpty()) return;
    if (enabled_) state |= QStyle::State_Enabled;
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(QString::fromStdString(text_)).arg(textSize_).arg(state).arg(isDefault);
    const QImage& face = StyledFace(face_, faceKey_, key, rect_.size(), [&](QPainter& p) {
        QStyle* style = NativeStyle();
        if (!style) return;
        QStyleOptionButton opt;
        opt.rect = QRect(QPoint(0, 0), rect_.size());
        opt.palette = StylePalette(enabled_);
        opt.text = DisplayText(text_);
        opt.state = QStyle::State(state);
        if (isDefault) opt.features |= QStyleOptionButton::DefaultButton;
        p.setFont(MakeFont());
        opt.fontMetrics = p.fontMetrics();
        style->drawControl(QStyle::ControlElement(element), &opt, &p, nullptr);
    });
    DrawFace(image, area, rect_, face);
}

void PushButton::Compose(QImage& image, const QRect& clip) {
    ComposeStyledButton(image, clip, QStyle::CE_PushButton, pressed_ ? QStyle::State_Sunken : QStyle::State_Raised, Default);
}

void CheckBox::SetValue(bool v) {
    if (v == value_) return;
    value_ = v;
    Invalidate();
}

void CheckBox::Clicked() {
    SetValue(!Value());
    Event_Action();
}

void CheckBox::Compose(QImage& image, const QRect& clip) {
    ComposeStyledButton(image, clip, QStyle::CE_CheckBox, value_ ? QStyle::State_On : QStyle::State_Off, false);
}

void PopupArrow::SetFacing(int f) {
    if (f == facing_) return;
    facing_ = f;
    Invalidate();
}

void PopupArrow::Compose(QImage& image, const QRect& clip) {
    const QRect area = clip & rect_ & image.rect();
    if (area.isEmpty()) return;
    // A solid triangle that fills the square, its sides stepping two pixels a
    // row so that it stays crisp at 10 by 10. Its base lies on the side it
    // points away from.
    const uint32_t ink = (enabled_ ? kArrowInk : kArrowDisabledInk).ToRgb32();
    const bool pointsAcross = facing_ != kFacingUp && facing_ != kFacingDown;
    const int span = pointsAcross ? rect_.height() : rect_.width();
    const int depth = pointsAcross ? rect_.width() : rect_.height();
    for (int i = 0; i < span; ++i) {
        const int len = std::min(depth, 2 * std::min(i, span - 1 - i) + 1);
        QRect run;
        switch (facing_) {
        case kFacingLeft: run = QRect(rect_.right() - len + 1, rect_.top() + i, len, 1); break;
        case kFacingUp: run = QRect(rect_.left() + i, rect_.bottom() - len + 1, 1, len); break;
        case kFacingDown: run = QRect(rect_.left() + i, rect_.top(), 1, len); break;
        default: run = QRect(rect_.left(), rect_.top() + i, len, 1); break;
        }
        run &= area;
        for (int y = run.top(); y <= run.bottom(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
            std::fill(line + run.left(), line + run.right() + 1, ink);
        }
    }
}

// ---- Timer -------------------------------------------------------------

Timer::~Timer() { Stop(); }

void Timer::SetMode(int m) {
    mode_ = std::clamp<int>(m, kTimerStopped, kTimerRepeating);
    Reschedule();
}

void Timer::SetPeriod(int ms) {
    period_ = ms;
    if (mode_ != kTimerStopped) Reschedule();
}

void Timer::Stop() {
    mode_ = kTimerStopped;
    if (auto* app = Application::Instance()) app->Clock().Cancel(this);
}

void Timer::Reschedule() {
    auto* app = Application::Instance();
    if (!app) return;
    if (mode_ == kTimerStopped || !window_ || window_->IsClosed()) {
        app->Clock().Cancel(this);
        return;
    }
    app->Clock().Schedule(this, app->Clock().Now() + std::max(1, period_));
}

void Timer::Fire() {
    if (!window_ || window_->IsClosed()) return;
    // The Action may close the window, which discards it and its timers: both
    // stay alive until the Action returns.
    auto self = weak_from_this().lock();
    auto window = window_->weak_from_this().lock();
    if (mode_ == kTimerOnce) mode_ = kTimerStopped;
    Application::Guard("timer action", [this] {
        Window::DeferredRepaints batch(*window_);
        Event_Action();
    });
}

}  // namespace fw
