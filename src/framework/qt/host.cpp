#include "framework/qt/host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QtMath>
#include <algorithm>
#include <climits>

#include "framework/qt/menus.h"

namespace fw {

namespace {

QPoint ContentPoint(const QMouseEvent* e) {
    // Fractional positions (scaled screens) belong to the pixel they fall in.
    const QPointF p = e->position();
    return {qFloor(p.x()), qFloor(p.y())};
}

// Ties a framework window to its Qt window, which may outlive it briefly.
class QtWindowLink final : public HostWindow {
public:
    explicit QtWindowLink(QtHostWindow* widget) : widget_(widget) {}
    ~QtWindowLink() override {
        if (!widget_) return;
        QtHostWindow* w = widget_;
        widget_ = nullptr;
        w->Detach();
        w->hide();
        // Deleting a widget inside its own event handler would pull the stack
        // from under Qt.
        if (w->Busy()) w->deleteLater();
        else delete w;
    }

    void Present(const QRect& dirty) override {
        if (!widget_) return;
        widget_->SyncFromWindow();
        widget_->Content()->update(dirty);
    }
    void SetCursor(const CursorPtr& cursor) override {
        if (widget_) widget_->ApplyCursor(cursor);
    }
    void Show() override {
        if (widget_) widget_->ShowFirstTime();
    }
    void Raise() override {
        if (!widget_) return;
        if (widget_->isMinimized()) widget_->showNormal();
        widget_->raise();
        widget_->activateWindow();
    }
    void Close() override {
        if (!widget_) return;
        QtHostWindow* w = widget_;
        widget_ = nullptr;
        w->Detach();
        const bool wasActive = w->isActiveWindow();
        w->hide();
        // Close is often called from a handler running inside this widget or
        // its menus.
        w->deleteLater();
        // Not every platform hands activation on; the window the framework now
        // has in front should get the keyboard (menu shortcuts) at once.
        if (wasActive)
            QTimer::singleShot(0, [] {
                auto* app = Application::Instance();
                auto front = app ? app->FrontWindow() : nullptr;
                if (QtHostWindow* next = front ? QtHost::WidgetOf(*front) : nullptr; next && next->isVisible())
                    next->activateWindow();
            });
    }

    QtHostWindow* Widget() const { return widget_; }

private:
    QPointer<QtHostWindow> widget_;
};

}  // namespace

// ---- Content view ------------------------------------------------------

QtContentView::QtContentView(QtHostWindow& owner) : QWidget(&owner), owner_(owner) {
    setMouseTracking(true);
    // We paint every pixel ourselves.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

QSize QtContentView::sizeHint() const {
    if (const Window* w = owner_.Attached()) return {w->Width(), w->Height()};
    return QWidget::sizeHint();
}

void QtContentView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const Window* w = owner_.Attached();
    if (!w) {
        p.fillRect(e->rect(), palette().window());
        return;
    }
    const QImage& image = w->Image();
    const Color bg = w->BackgroundColor();
    const QColor back(bg.r, bg.g, bg.b);
    for (const QRect& r : e->region()) {
        const QRect inside = r & image.rect();
        if (!inside.isEmpty()) p.drawImage(inside.topLeft(), image, inside);
        // A resizeable window may be larger than its image.
        for (const QRect& rest : QRegion(r).subtracted(image.rect())) p.fillRect(rest, back);
    }
}

void QtContentView::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = ContentPoint(e);
    owner_.Deliver("mouse press", [p](Window& w) { w.HandleMouseDown(p.x(), p.y()); });
}

void QtContentView::mouseDoubleClickEvent(QMouseEvent* e) {
    // The framework sees each click of a double click as a press of its own.
    mousePressEvent(e);
}

void QtContentView::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    const QPoint p = ContentPoint(e);
    owner_.Deliver("mouse move", [p](Window& w) { w.HandleMouseMove(p.x(), p.y()); });
}

void QtContentView::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = ContentPoint(e);
    owner_.Deliver("mouse release", [p](Window& w) { w.HandleMouseUp(p.x(), p.y()); });
}

void QtContentView::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    owner_.Deliver("mouse exit", [](Window& w) { w.HandleMouseLeave(); });
}

// ---- Host window -------------------------------------------------------

namespace {

// A dialog frame has no menu bar of its own where menus live in windows;
// the menu shortcuts still work while it is in front.
bool IsDialogFrame(const Window& w) { return w.Frame == kDialogFrame; }

Qt::WindowFlags FlagsFor(const Window& w) {
    Qt::WindowFlags f = (IsDialogFrame(w) ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
#ifdef Q_OS_WIN
    // Windows draws no title-bar buttons without a system menu.
    if (w.CloseButton || w.MinimizeButton || w.MaximizeButton) f |= Qt::WindowSystemMenuHint;
#endif
    if (w.CloseButton) f |= Qt::WindowCloseButtonHint;
    if (w.MinimizeButton) f |= Qt::WindowMinimizeButtonHint;
    // A window of fixed size has nothing to maximise to.
    if (w.MaximizeButton && w.Resizeable) f |= Qt::WindowMaximizeButtonHint;
    return f;
}

}  // namespace

QtHostWindow::QtHostWindow(Window& w)
    : QMainWindow(nullptr, FlagsFor(w)), window_(&w), hasMenuBar_(!IsDialogFrame(w)) {
    content_ = new QtContentView(*this);
    setCentralWidget(content_);
    title_ = w.Title;
    setWindowTitle(QString::fromStdString(title_));
    SyncFromWindow();
}

void QtHostWindow::Deliver(const char* what, const std::function<void(Window&)>& fn) {
    Window* w = window_;
    if (!w || w->IsClosed()) return;
    // The handler may close the window and drop its last owner.
    auto keep = w->weak_from_this().lock();
    ++busy_;
    Application::Guard(what, [&] { fn(*w); });
    --busy_;
}

void QtHostWindow::SyncFromWindow() {
    const Window* w = window_;
    if (!w) return;
    if (w->Title != title_) {
        title_ = w->Title;
        setWindowTitle(QString::fromStdString(title_));
    }
    const QSize size(w->Width(), w->Height());
    if (size == contentSize_) return;
    contentSize_ = size;
    if (!w->Resizeable) {
        content_->setFixedSize(size);
        // The top level follows: content plus menu bar, and no resizing.
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        const auto clampTo = [](int v) { return std::clamp(v, 1, QWIDGETSIZE_MAX); };
        content_->setMinimumSize(clampTo(std::min(w->MinWidth, size.width())),
                                 clampTo(std::min(w->MinHeight, size.height())));
        content_->setMaximumSize(clampTo(std::max(w->MaxWidth, size.width())),
                                 clampTo(std::max(w->MaxHeight, size.height())));
        content_->updateGeometry();
        resize(sizeHint());
    }
}

void QtHostWindow::ShowFirstTime() {
    if (!placed_ && window_) {
        placed_ = true;
        // The default place and the centred one are both the middle of the
        // screen: a window pinned to the corner looks lost.
        if (window_->Placement == kDefaultPlacement || window_->Placement == kCentredPlacement) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                ensurePolished();
                const QRect avail = screen->availableGeometry();
                const QSize size = sizeHint();
                const QPoint at(avail.left() + (avail.width() - size.width()) / 2,
                                avail.top() + std::max(0, (avail.height() - size.height()) / 2));
                move(at);
            }
        }
    }
    show();
    raise();
    activateWindow();
}

void QtHostWindow::ApplyCursor(const CursorPtr& c) {
    if (!c || c->IsArrow()) {
        content_->setCursor(Qt::ArrowCursor);
        return;
    }
    auto it = cursors_.find(c.get());
    if (it == cursors_.end() || it->second.source.lock() != c) {
        std::erase_if(cursors_, [](const auto& entry) { return entry.second.source.expired(); });
        const QPoint hot = c->HotSpot();
        QCursor made(QPixmap::fromImage(c->Image()), hot.x(), hot.y());
        it = cursors_.insert_or_assign(c.get(), CachedCursor{c, std::move(made)}).first;
    }
    content_->setCursor(it->second.cursor);
}

bool QtHostWindow::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::WindowActivate:
        if (QtHost* host = QtHost::Active(); host && window_) {
            // The application may have been given a new menu bar meanwhile.
            auto* app = Application::Instance();
            if (!kAppWideMenuBar && hasMenuBar_ && app && menusFrom.lock() != app->MenuBar()) host->BuildMenus(*this);
        }
        Deliver("window activation", [](Window& w) { w.HandleActivated(); });
        break;
    case QEvent::WindowDeactivate:
        Deliver("window deactivation", [](Window& w) { w.HandleDeactivated(); });
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

void QtHostWindow::closeEvent(QCloseEvent* e) {
    if (!window_) {
        e->accept();
        return;
    }
    // The framework decides; when it closes the window it calls our Close.
    e->ignore();
    Deliver("close box", [](Window& w) { w.HandleCloseBox(); });
}

void QtHostWindow::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
                              key == Qt::Key_Alt || key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown;
    QtHost* host = QtHost::Active();
    if (!modifierOnly && host && window_ && !window_->IsClosed()) {
        ++busy_;
        const bool handled = host->HandleShortcut(e->keyCombination());
        --busy_;
        if (handled) {
            e->accept();
            return;
        }
    }
    QMainWindow::keyPressEvent(e);
}

// ---- Host --------------------------------------------------------------

QtHost* QtHost::active_ = nullptr;

QtHost::QtHost() {
    active_ = this;
    // Quitting is the framework's decision (LastWindowClosed), not Qt's.
    if (auto* qapp = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        qapp->setQuitOnLastWindowClosed(false);
    elapsed_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (Application* a = LiveApp()) Application::Guard("timer", [a] { a->Clock().FireDue(); });
        ArmTimer();
    });
}

QtHost::QtHost(Application& app) : QtHost() { app.SetHost(this); }

void QtHost::Attach(Application& app) {
    if (app_ == &app) return;
    app_ = &app;
    app.Clock().SetTimeSource([this] { return int64_t(elapsed_.elapsed()); });
    app.Clock().SetOnChange([this] { ArmTimer(); });
    ArmTimer();
}

QtHost::~QtHost() {
    timer_.stop();
    if (Application* a = LiveApp()) {
        // The clock goes back to hand-driven time: nothing of ours stays in it.
        a->Clock().SetOnChange(nullptr);
        a->Clock().SetTimeSource(nullptr);
        if (a->GetHost() == this) a->SetHost(nullptr);
    }
    if (active_ == this) active_ = nullptr;
}

Application* QtHost::LiveApp() const { return app_ && Application::Instance() == app_ ? app_ : nullptr; }

void QtHost::ArmTimer() {
    Application* a = LiveApp();
    const int64_t due = a ? a->Clock().NextDue() : -1;
    if (due < 0) {
        timer_.stop();
        return;
    }
    const int64_t wait = std::clamp<int64_t>(due - a->Clock().Now(), 0, INT_MAX);
    timer_.start(int(wait));
}

std::unique_ptr<HostWindow> QtHost::CreateWindow(Window& w) {
    auto* widget = new QtHostWindow(w);
    if (kAppWideMenuBar) {
        if (!sharedBar_) sharedBar_ = std::make_unique<QMenuBar>(nullptr);
        if (sharedFrom_.lock() != app_->MenuBar() || sharedBar_->actions().isEmpty()) {
            sharedFrom_ = app_->MenuBar();
            BuildMenuBar(*sharedBar_, app_->MenuBar());
        }
    } else if (widget->HasMenuBar()) {
        BuildMenus(*widget);
    }
    return std::make_unique<QtWindowLink>(widget);
}

QtHostWindow* QtHost::WidgetOf(const Window& w) {
    auto* link = dynamic_cast<QtWindowLink*>(w.Host());
    return link ? link->Widget() : nullptr;
}

void QtHost::BuildMenus(QtHostWindow& window) {
    const auto& items = app_->MenuBar();
    window.menusFrom = items;
    if (!items) {
        // No menus: no empty strip above the content either.
        if (window.menuWidget()) window.setMenuWidget(nullptr);
        return;
    }
    BuildMenuBar(*window.menuBar(), items);
}

bool QtHost::HandleShortcut(QKeyCombination typed) {
    Application* app = LiveApp();
    return app && ChooseByShortcut(*app, typed);
}

void QtHost::ShowURL(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

int QtHost::RunLoop() {
    if (app_ && app_->Quitting()) return 0;
    return QApplication::exec();
}

void QtHost::Quit() {
    // Queued: safe from inside any handler, and honoured even when asked for
    // before the loop runs. exit, not quit: Qt's quit would first ask every
    // window to close, and the framework has closed them already.
    if (QCoreApplication* qapp = QCoreApplication::instance())
        QMetaObject::invokeMethod(qapp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void QtHost::LastWindowClosed() {
    // With an application-wide menu bar the program lives on without windows.
    if (kAppWideMenuBar) return;
    // Decided after the event that closed the window has been handled, and
    // only if no window has been opened meanwhile. Our timer is the context:
    // the decision goes with this host.
    QMetaObject::invokeMethod(
        &timer_,
        [this] {
            Application* app = LiveApp();
            if (app && app->Windows().empty()) app->Quit();
        },
        Qt::QueuedConnection);
}

}  // namespace fw
