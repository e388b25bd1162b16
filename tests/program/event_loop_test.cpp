// The whole program on the real Qt host, its event loop running: "Reset",
// "Quit" and the close box, driven by Qt's own menu, key and close events.
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "challenge/window_recon_challenge.h"
#include "designer/window_main.h"
#include "evolving/window_tree.h"
#include "framework/qt/host.h"
#include "host_menus.h"
#include "shell/app.h"
#include "shell/globals.h"
#include "shell/startup.h"
#include "support/program_driver.h"
#include "windows/splash/window_splash.h"

namespace {

using fw::QtHost;

class EventLoopTest : public ::testing::Test, public ProgramDriver {
protected:
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Runs the program until it quits. The steps run one after another on its
    // event loop, 30 ms apart; a loop still running 5 s after the last step
    // is ended with 99, so that a fault never stalls the suite.
    int RunProgram(std::vector<std::function<void()>> steps) {
        QObject scope;  // pending steps die with it
        stepsRun = 0;
        for (size_t i = 0; i < steps.size(); ++i)
            QTimer::singleShot(30 * int(i + 1), &scope, [this, step = steps[i]] {
                step();
                ++stepsRun;
            });
        QTimer::singleShot(30 * int(steps.size() + 1) + 5000, &scope, [] { QCoreApplication::exit(99); });
        QtHost host;
        const int status = Main(&host);
        released = fw::Application::Instance() == nullptr;
        for (auto& p : Globals::TraitImage) released = released && !p;
        return status;
    }

    static fw::QtHostWindow* Top(const fw::Window& w) { return QtHost::WidgetOf(w); }
    static fw::Window& Front() { return *App().FrontWindow(); }

    // Chooses an entry of a window's own menu bar (the front window's by
    // default), as a click there does.
    static void ChooseFromMenu(const QString& menu, const QString& entry, const fw::Window* in = nullptr) {
        fw::QtHostWindow* top = Top(in ? *in : Front());
        ASSERT_NE(top, nullptr);
        QAction* a = MenuEntry(*top, entry, menu);
        ASSERT_NE(a, nullptr) << "no entry " << entry.toStdString() << " in " << menu.toStdString();
        ASSERT_TRUE(a->isEnabled()) << entry.toStdString();
        a->trigger();
    }
    static void PressCtrlQ() { QTest::keyClick(Top(Front())->windowHandle(), Qt::Key_Q, Qt::ControlModifier); }
    static void CloseSplash() {
        auto splash = App().FindWindow<WindowSplashClass>();
        ASSERT_TRUE(splash);
        QTest::mouseClick(Top(*splash)->Content(), Qt::LeftButton, {}, QPoint(5, 5));
    }

    int stepsRun = 0;
    bool released = false;
};

TEST_F(EventLoopTest, ResetOfTheOnlyWindowLeavesAFreshOneAndTheProgramRunning) {
    std::weak_ptr<WindowMainClass> before;
    bool freshSeen = false;
    const int status = RunProgram({
        [] { CloseSplash(); },
        [&] {
            auto w = App().FindWindow<WindowMainClass>();
            ASSERT_EQ(App().Windows().size(), 1u);
            before = w;
            // A trait, a stroke and the marker tool.
            ClickOn(*w->PopupArrowTraits[2]);
            ClickOn(*w->CheckBoxTraits[4]);
            ASSERT_TRUE(w->MyLizardCan[2]->Trait[4]);
            w->HandleMouseDown(w->CanvasSelectCursor->Left() + 5, w->CanvasSelectCursor->Top() + 5);
            w->HandleMouseUp(w->CanvasSelectCursor->Left() + 50, w->CanvasSelectCursor->Top() + 5);
            w->HandleMouseDown(300, 250);
            w->HandleMouseMove(300, 250);
            w->HandleMouseMove(340, 250);
            w->HandleMouseUp(340, 250);
            ASSERT_EQ(fw::Color::FromRgb32(w->Cache->Image().pixel(320, 250)), fw::kBlack);
            ChooseFromMenu("File", "Reset");
        },
        [&] {
            // The event that closed the old window has long been handled.
            ASSERT_EQ(App().Windows().size(), 1u);
            auto w = App().FindWindow<WindowMainClass>();
            ASSERT_TRUE(w);
            EXPECT_TRUE(before.expired()) << "the old window is gone";
            EXPECT_TRUE(w->IsShown());
            EXPECT_FALSE(w->MyLizardCan[2]->Trait[4]);
            EXPECT_EQ(fw::Color::FromRgb32(w->Cache->Image().pixel(320, 250)), fw::kWhite);
            EXPECT_EQ(w->CanvasSelectCursor->CurrentCursor, "arrow");
            EXPECT_TRUE(Top(*w)->isVisible());
            freshSeen = true;
        },
        [] { PressCtrlQ(); },
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(freshSeen);
    EXPECT_EQ(stepsRun, 4);
    EXPECT_TRUE(released);
}

TEST_F(EventLoopTest, ResetOfEachActivityWindowAloneKeepsTheProgramRunning) {
    // Per window: how to find it, change it, and tell a fresh one.
    struct Kind {
        const char* item;
        std::function<std::shared_ptr<fw::Window>()> find;
        std::function<void(fw::Window&)> change;
        std::function<void(fw::Window&)> expectFresh;
    };
    const std::vector<Kind> kinds = {
        {"Evolving lizards", [] { return App().FindWindow<WindowTreeClass>(); },
         [](fw::Window& w) {
             auto& tree = static_cast<WindowTreeClass&>(w);
             ClickOn(*tree.PushButtonFastFwd);  // the clock runs on, real time
             ClickOn(*tree.myLizardCan[0]);     // and the lineage splits
             ASSERT_EQ(tree.LastPopActivated, 1);
         },
         [](fw::Window& w) {
             auto& tree = static_cast<WindowTreeClass&>(w);
             EXPECT_EQ(tree.PushButtonFastFwd->Caption(), "Run");
             EXPECT_EQ(tree.TimerWait->Mode(), 0);
             EXPECT_EQ(tree.CountUp->Text(), "0");
             EXPECT_EQ(tree.LastPopActivated, 0);
             EXPECT_EQ(tree.PopOrder.size(), 1u);
         }},
        {"Challenge", [] { return App().FindWindow<WindowReconChallengeClass>(); },
         [](fw::Window& w) { static_cast<WindowReconChallengeClass&>(w).TraitLabel[0]->SetLeft(300); },
         [](fw::Window& w) {
             auto& challenge = static_cast<WindowReconChallengeClass&>(w);
             EXPECT_EQ(challenge.TraitLabel[0]->Left(), 32);
             EXPECT_TRUE(challenge.MyLizardCan[4]->Trait[4]) << "the fixed traits again";
         }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.item);
        std::weak_ptr<fw::Window> before;
        bool freshSeen = false;
        const int status = RunProgram({
            [] { CloseSplash(); },
            [&] { ChooseFromMenu("Window", kind.item); },
            [&] {
                // Only this window is left open.
                App().FindWindow<WindowMainClass>()->HandleCloseBox();
                before = kind.find();
                ASSERT_EQ(App().Windows().size(), 1u);
                kind.change(*before.lock());
                ChooseFromMenu("File", "Reset");
            },
            [&] {
                ASSERT_EQ(App().Windows().size(), 1u);
                auto w = kind.find();
                ASSERT_TRUE(w);
                EXPECT_TRUE(before.expired());
                EXPECT_TRUE(Top(*w)->isVisible());
                kind.expectFresh(*w);
                freshSeen = true;
            },
            [] { ChooseFromMenu("File", "Quit"); },
        });
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(freshSeen);
        EXPECT_EQ(stepsRun, 5);
        EXPECT_TRUE(released);
    }
}

TEST_F(EventLoopTest, OneQuitEndsTheProgramWhateverIsOpen) {
    // Three activity windows and the splash over them; then the splash alone.
    std::vector<QPointer<QWidget>> tops;
    int status = RunProgram({
        // From the Designer window's menus: the splash has none.
        [] { ChooseFromMenu("Window", "Evolving lizards", App().FindWindow<WindowMainClass>().get()); },
        [] { ChooseFromMenu("Window", "Challenge", App().FindWindow<WindowMainClass>().get()); },
        [] { App().FindWindow<WindowSplashClass>()->Show(); },
        [&] {
            ASSERT_EQ(App().Windows().size(), 4u);
            ASSERT_EQ(App().FrontWindow(), App().FindWindow<WindowSplashClass>());
            for (auto& w : App().Windows()) tops.emplace_back(Top(*w));
            PressCtrlQ();
        },
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(stepsRun, 4);
    EXPECT_TRUE(released);
    for (auto& t : tops) EXPECT_TRUE(t.isNull()) << "every window was closed and deleted";

    bool splashInFront = false, splashHasNoMenuBar = false;
    status = RunProgram({[&] {
        splashInFront = App().FindWindow<WindowSplashClass>() == App().FrontWindow();
        splashHasNoMenuBar = !Top(Front())->HasMenuBar() && Top(Front())->menuWidget() == nullptr;
        PressCtrlQ();
    }});
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(splashInFront);
    EXPECT_TRUE(splashHasNoMenuBar);
    EXPECT_TRUE(released);
}

TEST_F(EventLoopTest, TheCloseBoxOfTheOnlyWindowQuits) {
    const int status = RunProgram({
        [] { CloseSplash(); },
        [] { Top(*App().FindWindow<WindowMainClass>())->close(); },
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(stepsRun, 2);
    EXPECT_TRUE(released);
}

}  // namespace
