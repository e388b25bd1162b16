// The Qt host driven with Qt's own events on the offscreen platform: what a
// person does to a real window must reach the framework window unchanged.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "framework/application.h"
#include "framework/qt/display.h"
#include "framework/qt/host.h"
#include "framework/qt/menus.h"

namespace {

using fw::QtHost;

// Set by a test before the window is built: Layout runs it.
std::function<void(class ProbeWindow&)> nextLayout;

class ProbeWindow : public fw::Window {
public:
    std::vector<std::string> log;
    bool throwOnPress = false;
    int timerFires = 0;
    bool wantTimer = false;

    void Layout() override {
        Title = "Probe";
        SetSize(200, 150);
        if (nextLayout) nextLayout(*this);
    }
    void CreateControls() override {
        if (!wantTimer) return;
        auto t = NewControl<fw::Timer>("tick");
        t->Action = [this] { ++timerFires; };
        t->SetPeriod(20);
        t->SetMode(1);
    }
    bool Event_MouseDown(int x, int y) override {
        if (throwOnPress) throw std::runtime_error("press failed");
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void Event_MouseDrag(int x, int y) override { log.push_back("drag " + std::to_string(x) + "," + std::to_string(y)); }
    void Event_MouseUp(int x, int y) override { log.push_back("up " + std::to_string(x) + "," + std::to_string(y)); }
};

class OtherWindow : public ProbeWindow {};

class ProbeApp : public fw::Application {
public:
    bool allowKeep = true;
    void Event_EnableMenuItems() override {
        if (auto bar = MenuBar())
            if (auto keep = bar->Lookup("keep")) keep->Enabled = allowKeep;
    }
};

std::shared_ptr<fw::MenuItem> Item(const std::string& name, const std::string& text, const std::string& keys = "") {
    auto item = std::make_shared<fw::MenuItem>();
    item->Name = name;
    item->Text = text;
    item->KeyboardShortcut = keys;
    return item;
}

std::shared_ptr<fw::MenuBar> SampleMenus() {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = Item("file", "File");
    file->Append(Item("keep", "Keep Lizard", "Cmd+K"));
    file->Append(Item("sep", "-"));
    auto quit = std::make_shared<fw::QuitMenuItem>();
    quit->Name = "quit";
    quit->Text = "Quit";
    quit->KeyboardShortcut = "Cmd+Q";
    file->Append(quit);
    auto edit = Item("edit", "Edit");
    edit->Append(Item("swap", "Cut & Paste", "Cmd+Shift+Z"));
    bar->Append(file);
    bar->Append(edit);
    return bar;
}

// Ends a hung event loop with 99, so that a failure never stalls the suite.
class LoopDeadline {
public:
    LoopDeadline() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        timer_.start(5000);
    }

private:
    QTimer timer_;
};

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        nextLayout = nullptr;
        app.emplace();
        host.emplace(*app);
        app->SetHost(&*host);
    }
    void TearDown() override {
        host.reset();
        app.reset();
        nextLayout = nullptr;
        // Closed windows are deleted on the event loop's next turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class W = ProbeWindow>
    std::shared_ptr<W> Open(std::function<void(ProbeWindow&)> layout = nullptr) {
        nextLayout = std::move(layout);
        auto w = app->ImplicitWindow<W>();
        nextLayout = nullptr;
        return w;
    }

    std::optional<ProbeApp> app;
    std::optional<QtHost> host;
};

// ---- Mouse ---------------------------------------------------------------

TEST_F(HostTest, MouseReachesWindowInContentCoordinatesBelowTheMenuBar) {
    app->SetMenuBar(SampleMenus());
    auto w = Open();
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    QWidget* content = top->Content();
    ASSERT_GT(content->mapTo(top, QPoint(0, 0)).y(), 0) << "the menu bar sits above the content";

    // Through the platform window, as real input arrives: Qt finds the content.
    QWindow* handle = top->windowHandle();
    const auto at = [&](int x, int y) { return content->mapTo(top, QPoint(x, y)); };
    QTest::mousePress(handle, Qt::LeftButton, {}, at(30, 40));
    QTest::mouseMove(handle, at(35, 47));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at(35, 47));
    EXPECT_EQ(w->log, (std::vector<std::string>{"down 30,40", "drag 35,47", "up 35,47"}));
}

TEST_F(HostTest, OnlyTheLeftButtonPressesAndDoubleClicksPressTwice) {
    auto w = Open();
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    QWindow* handle = top->windowHandle();
    const QPoint at = top->Content()->mapTo(top, QPoint(7, 8));
    QTest::mouseClick(handle, Qt::RightButton, {}, at);
    EXPECT_TRUE(w->log.empty());
    QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), "down 7,8"), 2);
}

TEST_F(HostTest, ExceptionInAHandlerIsReportedAndTheWindowGoesOn) {
    auto w = Open();
    QWidget* content = QtHost::WidgetOf(*w)->Content();
    const int before = fw::Application::UnhandledCount();
    w->throwOnPress = true;
    QTest::mouseClick(content, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(fw::Application::UnhandledCount(), before + 1);
    w->throwOnPress = false;
    QTest::mouseClick(content, Qt::LeftButton, {}, QPoint(11, 12));
    EXPECT_EQ(w->log.front(), "down 11,12");
}

// ---- Geometry, title-bar buttons, painting --------------------------------

TEST_F(HostTest, FixedWindowKeepsItsContentSizeAndFollowsLaterSizes) {
    app->SetMenuBar(SampleMenus());
    auto w = Open([](ProbeWindow& p) {
        p.Resizeable = false;
        p.SetSize(320, 240);
    });
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    EXPECT_EQ(top->Content()->size(), QSize(320, 240));
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_GT(top->height(), 240);
    EXPECT_FALSE(top->windowFlags() & Qt::WindowMaximizeButtonHint);

    // Size and title changes show with the next repaint.
    w->SetSize(250, 100);
    w->Title = "Renamed";
    w->Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(top->Content()->size(), QSize(250, 100));
    EXPECT_EQ(top->windowTitle(), "Renamed");
}

TEST_F(HostTest, ResizeableWindowCanGrow) {
    auto w = Open();
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    EXPECT_EQ(top->Content()->size(), QSize(200, 150));
    EXPECT_NE(top->minimumSize(), top->maximumSize());
    EXPECT_TRUE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(top->windowTitle(), "Probe");
}

TEST_F(HostTest, TitleBarButtonsFollowTheWindow) {
    auto plain = Open([](ProbeWindow& p) {
        p.CloseButton = false;
        p.MinimizeButton = false;
    });
    const Qt::WindowFlags f = QtHost::WidgetOf(*plain)->windowFlags();
    EXPECT_FALSE(f & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::CustomizeWindowHint);
    EXPECT_TRUE(f & Qt::WindowTitleHint);

    auto full = Open<OtherWindow>();
    const Qt::WindowFlags g = QtHost::WidgetOf(*full)->windowFlags();
    EXPECT_TRUE(g & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(g & Qt::WindowMinimizeButtonHint);
}

TEST_F(HostTest, CentredAndDefaultPlacementsCentreOnThePrimaryScreen) {
    for (int placement : {0, 2}) {
        auto w = Open([placement](ProbeWindow& p) { p.Placement = placement; });
        fw::QtHostWindow* top = QtHost::WidgetOf(*w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((top->frameGeometry().center() - screenCentre).manhattanLength(), 4) << placement;
        w->Close();
    }
}

TEST_F(HostTest, DialogFrameHasNoMenuBarButTheShortcutsStillWork) {
    app->SetMenuBar(SampleMenus());
    int kept = 0;
    app->AddMenuHandler("keep", [&] { return ++kept, true; });
    auto w = Open([](ProbeWindow& p) { p.Frame = 2; });
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    EXPECT_FALSE(top->HasMenuBar());
    EXPECT_EQ(top->menuWidget(), nullptr);
    EXPECT_EQ(top->windowType(), Qt::Dialog);
    // Activation must not bring the menus back.
    auto other = Open<OtherWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtHost::WidgetOf(*other)));
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->IsActive(); }, 1000));
    EXPECT_EQ(top->menuWidget(), nullptr);

    QTest::keyClick(top->windowHandle(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(kept, 1);
    QTest::keyClick(top->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(app->Quitting());
}

TEST_F(HostTest, ContentShowsTheWindowImage) {
    auto w = Open();
    w->Graphics().ForeColor = fw::RGB(200, 30, 40);
    w->Graphics().FillRect(10, 10, 5, 5);
    const QImage shown = QtHost::WidgetOf(*w)->Content()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(12, 12), QColor(200, 30, 40));
    EXPECT_EQ(shown.pixelColor(30, 30), QColor(Qt::white));
}

TEST_F(HostTest, CursorImageKeepsItsHotSpotAndArrowIsTheSystemOne) {
    auto w = Open();
    QWidget* content = QtHost::WidgetOf(*w)->Content();
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::black);
    w->SetMouseCursor(std::make_shared<fw::MouseCursor>(img, QPoint(3, 4)));
    EXPECT_EQ(content->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(content->cursor().hotSpot(), QPoint(3, 4));
    w->SetMouseCursor(fw::ArrowCursor());
    EXPECT_EQ(content->cursor().shape(), Qt::ArrowCursor);
}

// ---- Activation and closing -------------------------------------------------

TEST_F(HostTest, PlatformActivationReachesTheWindows) {
    auto first = Open();
    auto second = Open<OtherWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtHost::WidgetOf(*second)));
    QtHost::WidgetOf(*first)->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->IsActive(); }, 1000));
    EXPECT_FALSE(second->IsActive());
    EXPECT_EQ(app->FrontWindow(), first);
}

TEST_F(HostTest, CloseBoxClosesAndNothingReachesTheWindowAfterwards) {
    auto w = Open();
    QPointer<fw::QtHostWindow> top = QtHost::WidgetOf(*w);
    QPointer<QWidget> content = top->Content();
    top->close();
    EXPECT_TRUE(w->IsClosed());
    EXPECT_FALSE(top->isVisible());
    QTest::mouseClick(content, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w->log.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(top.isNull());
}

TEST_F(HostTest, ClosingTheFrontWindowActivatesTheOneBehind) {
    auto back = Open();
    auto front = Open<OtherWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtHost::WidgetOf(*front)));
    QtHost::WidgetOf(*front)->close();
    EXPECT_TRUE(QTest::qWaitForWindowActive(QtHost::WidgetOf(*back)));
    EXPECT_TRUE(back->IsActive());
}

TEST_F(HostTest, ClosingTheLastWindowEndsTheEventLoop) {
    QPointer<fw::QtHostWindow> top;
    struct OpeningApp : ProbeApp {
        QPointer<fw::QtHostWindow>* top = nullptr;
        void Event_Open() override { *top = QtHost::WidgetOf(*ImplicitWindow<ProbeWindow>()); }
    };
    host.reset();
    app.reset();
    OpeningApp opening;
    opening.top = &top;
    QtHost runHost(opening);
    opening.SetHost(&runHost);
    QTimer::singleShot(0, [&] { top->close(); });
    LoopDeadline deadline;
    EXPECT_EQ(opening.Run(), 0);
}

TEST_F(HostTest, QuitFromAHandlerEndsTheEventLoop) {
    auto w = Open();
    app->AddMenuHandler("quit-now", [&] {
        app->Quit();
        return true;
    });
    auto other = Open<OtherWindow>();
    QTimer::singleShot(0, [&] { app->ChooseMenuItem("quit-now"); });
    LoopDeadline deadline;
    EXPECT_EQ(host->RunLoop(), 0);
    EXPECT_TRUE(w->IsClosed() && other->IsClosed()) << "quitting closes every window at once";
}

// ---- Menus and shortcuts ----------------------------------------------------

TEST_F(HostTest, MenuBarHasTheApplicationsMenusWithTranslatedShortcuts) {
    app->SetMenuBar(SampleMenus());
    auto w = Open();
    QMenuBar* bar = QtHost::WidgetOf(*w)->menuBar();
    const QList<QAction*> titles = bar->actions();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_EQ(titles[0]->text(), "File");
    EXPECT_EQ(titles[1]->text(), "Edit");

    const QList<QAction*> file = titles[0]->menu()->actions();
    ASSERT_EQ(file.size(), 3);
    EXPECT_EQ(file[0]->text(), "Keep Lizard\t" + QKeySequence("Ctrl+K").toString(QKeySequence::NativeText));
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(file[2]->menuRole(), QAction::QuitRole);
    EXPECT_EQ(file[0]->menuRole(), QAction::NoRole);
    // Display text only: a registered shortcut would bypass the menu update.
    EXPECT_TRUE(file[0]->shortcut().isEmpty());

    const QList<QAction*> edit = titles[1]->menu()->actions();
    EXPECT_TRUE(edit[0]->text().startsWith("Cut && Paste\t"));
}

TEST_F(HostTest, OpeningAMenuUpdatesItsItems) {
    app->SetMenuBar(SampleMenus());
    app->AddMenuHandler("keep", [] { return true; });
    auto w = Open();
    QMenu* file = QtHost::WidgetOf(*w)->menuBar()->actions()[0]->menu();
    QAction* keep = file->actions()[0];
    QAction* quit = file->actions()[2];

    app->allowKeep = false;
    emit file->aboutToShow();
    EXPECT_FALSE(keep->isEnabled());
    EXPECT_TRUE(quit->isEnabled());
    app->allowKeep = true;
    emit file->aboutToShow();
    EXPECT_TRUE(keep->isEnabled());

    // An item without a handler is disabled by the update.
    QMenu* edit = QtHost::WidgetOf(*w)->menuBar()->actions()[1]->menu();
    emit edit->aboutToShow();
    EXPECT_FALSE(edit->actions()[0]->isEnabled());
}

TEST_F(HostTest, ShortcutActsOnceAndOnlyWhenTheUpdatedItemIsEnabled) {
    app->SetMenuBar(SampleMenus());
    int kept = 0;
    app->AddMenuHandler("keep", [&] {
        ++kept;
        return true;
    });
    auto w = Open();
    fw::QtHostWindow* top = QtHost::WidgetOf(*w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    QWindow* handle = top->windowHandle();

    app->allowKeep = false;  // no menu update has run: the key must run one
    QTest::keyClick(handle, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(kept, 0);
    app->allowKeep = true;
    QTest::keyClick(handle, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(kept, 1);
    QTest::keyClick(handle, Qt::Key_K);  // without the command key: nothing
    EXPECT_EQ(kept, 1);

    // A menu entry triggered while its item has become disabled does nothing.
    QAction* keep = top->menuBar()->actions()[0]->menu()->actions()[0];
    app->allowKeep = false;
    keep->trigger();
    EXPECT_EQ(kept, 1);

    QTest::keyClick(handle, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(app->Quitting());
}

TEST_F(HostTest, ExceptionInAMenuHandlerIsReported) {
    app->SetMenuBar(SampleMenus());
    app->AddMenuHandler("keep", []() -> bool { throw std::runtime_error("menu failed"); });
    auto w = Open();
    const int before = fw::Application::UnhandledCount();
    QTest::keyClick(QtHost::WidgetOf(*w), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(fw::Application::UnhandledCount(), before + 1);
    EXPECT_FALSE(w->IsClosed());
}

TEST_F(HostTest, AKeyChoosesTheFirstItemInTreeOrderWhoseShortcutItIsWhateverTheSpelling) {
    EXPECT_FALSE(host->HandleShortcut(Qt::ControlModifier | Qt::Key_Q));  // no menus yet
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = Item("file", "File");
    auto recent = Item("recent", "Open Recent");
    recent->Append(Item("one", "One", "cmd+shift+1"));
    recent->Append(Item("close-deep", "Close", "CMD+W"));
    file->Append(recent);
    file->Append(Item("close", "Close", "Cmd+W"));
    auto edit = Item("edit", "Edit");
    edit->Append(Item("undo", "Undo", "Command+Z"));
    edit->Append(Item("undo-again", "Undo", "Cmd+Z"));
    edit->Append(Item("undo-lower", "Undo", "cmd+z"));
    bar->Append(file);
    bar->Append(edit);
    app->SetMenuBar(bar);
    std::vector<std::string> chosen;
    for (std::string name : {"one", "close-deep", "close", "undo", "undo-again", "undo-lower"})
        app->AddMenuHandler(name, [&chosen, name] { return chosen.push_back(name), true; });

    EXPECT_TRUE(host->HandleShortcut(Qt::ControlModifier | Qt::Key_W));
    EXPECT_TRUE(host->HandleShortcut(Qt::ControlModifier | Qt::Key_Z));
    EXPECT_TRUE(host->HandleShortcut(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_1));
    EXPECT_FALSE(host->HandleShortcut(Qt::ControlModifier | Qt::Key_X));
    EXPECT_FALSE(host->HandleShortcut(Qt::Key_Z));
    EXPECT_EQ(chosen, (std::vector<std::string>{"close-deep", "undo", "one"}));
}

TEST(ShortcutText, CommandKeyAndModifiersTranslate) {
    EXPECT_EQ(fw::ShortcutToKeySequence("Cmd+Q"), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(fw::ShortcutToKeySequence("cmd+shift+z"), QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(fw::ShortcutToKeySequence("Cmd+Option+1"), QKeySequence("Ctrl+Alt+1"));
    EXPECT_EQ(fw::ShortcutToKeySequence("Cmd++"), QKeySequence("Ctrl++"));
    EXPECT_TRUE(fw::ShortcutToKeySequence("").isEmpty());
    EXPECT_TRUE(fw::ShortcutToKeySequence("Cmd+").isEmpty());
    EXPECT_TRUE(fw::ShortcutToKeySequence("Hyper+Q").isEmpty());
}

TEST(ShortcutText, ShiftedPunctuationMatchesLettersNeedTheirShift) {
    const QKeySequence question = fw::ShortcutToKeySequence("Cmd+?");
    EXPECT_TRUE(fw::ShortcutMatches(question, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Question));
    EXPECT_TRUE(fw::ShortcutMatches(question, Qt::ControlModifier | Qt::Key_Question));
    const QKeySequence z = fw::ShortcutToKeySequence("Cmd+Z");
    EXPECT_TRUE(fw::ShortcutMatches(z, Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Z));
    EXPECT_FALSE(fw::ShortcutMatches(z, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z));
    EXPECT_FALSE(fw::ShortcutMatches(z, Qt::AltModifier | Qt::Key_Z));
}

// ---- Clock ------------------------------------------------------------------

TEST_F(HostTest, TimerFiresOnTheRealClock) {
    QElapsedTimer since;
    since.start();
    auto w = Open([](ProbeWindow& p) { p.wantTimer = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->timerFires > 0; }, 2000));
    EXPECT_GE(since.elapsed(), 15);
    QTest::qWait(60);
    EXPECT_EQ(w->timerFires, 1) << "a one-shot timer fires once";
}

// ---- Display check --------------------------------------------------------

class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) old_ = v;
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Display, AnyOfTheDisplayVariablesWillDoButEmptyOnesDoNot) {
    ScopedEnv qpa("QT_QPA_PLATFORM"), x11("DISPLAY"), wayland("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(fw::HasDisplay());
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(fw::HasDisplay());
    setenv("DISPLAY", ":99", 1);
    EXPECT_TRUE(fw::HasDisplay());
    unsetenv("DISPLAY");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_TRUE(fw::HasDisplay());
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_TRUE(fw::HasDisplay());
}

}  // namespace
