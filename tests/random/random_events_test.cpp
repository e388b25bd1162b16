// A seeded random walk over the whole program: presses, drags and releases
// anywhere (on controls, just beside them, off the window, at absurd points),
// menu choices, closed windows, activation changes and the clock running on,
// through the same entry points as the Qt host, and in part through the host
// itself with Qt's own events. After every step the program's own rules are
// checked. A failure prints its seed and the last events, to be turned into a
// plain test.
//
// Longer runs, with a seed and a count of events (CLADEWORKS_SOAK_HOST=1 drives
// it through the Qt host):
//   CLADEWORKS_SOAK_SEED=42 CLADEWORKS_SOAK_EVENTS=1000000
//   ./build-test/tests/cladeworks_tests --gtest_filter='RandomEventsSoak.*'
// with both variables set in the environment.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <typeindex>
#include <vector>

#include "program/host_menus.h"
#include "support/program_driver.h"
#include "random_invariants.h"
#include "framework/qt/host.h"
#include "shell/app.h"
#include "shell/startup.h"

namespace {

using fw::QtHost;

std::string Where(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string NameOf(const fw::Window& w) {
    if (!w.Title.empty()) return "\"" + w.Title + "\"";
    return "the splash";
}

std::string NameOf(const fw::RectControl& c) { return c.Name() + "(" + std::to_string(c.Index()) + ")"; }

class RandomWalk {
public:
    // repaintEvery: how many steps apart the screen is compared with a full repaint.
    RandomWalk(uint64_t seed, bool viaHost, int repaintEvery = 1)
        : seed_(seed), viaHost_(viaHost), repaintEvery_(std::max(1, repaintEvery)), rng_(seed) {}

    // Runs the program, session after session (a quit ends one), for this many events.
    void Run(long events) {
        budget_ = events;
        const auto start = std::chrono::steady_clock::now();
        while (done_ < budget_ && !failed_) viaHost_ ? HostSession() : HeadlessSession();
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("seed %llu%s: %ld events in %.2f s (%.0f/s), %d sessions, %d splits, %d marks, %d full runs\n",
                    (unsigned long long)seed_, viaHost_ ? " (Qt host)" : "", done_, secs, done_ / secs, sessions_,
                    stats_.splits, stats_.marks, stats_.fullRuns);
    }

    bool Failed() const { return failed_; }

private:
    // ---- Sessions ---------------------------------------------------------

    void HeadlessSession() {
        ++sessions_;
        ProgramDriver::StartHeadless();
        Walk();
        ReleaseGlobals();
        CheckReleased();
    }

    void HostSession() {
        ++sessions_;
        QtHost host;
        QObject scope;
        QTimer::singleShot(0, &scope, [this] {
            // The clock stays hand-driven: time moves only when a step says so.
            App().Clock().SetOnChange(nullptr);
            App().Clock().SetTimeSource(nullptr);
            Walk();
            if (!App().Quitting()) App().Quit();
        });
        const int status = Main(&host);
        if (status != 0) Fail("the program ended with status " + std::to_string(status));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CheckReleased();
    }

    void Walk() {
        while (done_ < budget_ && !failed_ && !App().Quitting()) {
            const int unhandled = fw::Application::UnhandledCount();
            Step();
            ++done_;
            if (viaHost_) Settle();
            if (fw::Application::UnhandledCount() != unhandled) Fail("an exception escaped a handler");
            if (App().Quitting()) break;
            std::string broken = CheckProgram(stats_, done_ % repaintEvery_ == 0);
            if (!broken.empty()) Fail(broken);
        }
    }

    // Lets queued work and deferred deletions run, as the event loop does.
    static void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void CheckReleased() {
        if (fw::Application::Instance() != nullptr) Fail("the application object outlived the release at exit");
    }

    // ---- Steps ------------------------------------------------------------

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    void Note(std::string what) {
        recent_.push_back("#" + std::to_string(done_) + " " + what);
        if (recent_.size() > 50) recent_.pop_front();
    }

    void Step() {
        const auto& windows = App().Windows();
        if (windows.empty()) {
            ChooseMenu();
            return;
        }
        // Mid-gesture, most steps carry the gesture on; a few do something else.
        if (down_) {
            const int r = Int(0, 99);
            if (r < 70) return Move();
            if (r < 90) return Release();
        }
        const int r = Int(0, 999);
        if (r < 150) return Click();
        if (r < 420) return Press();
        if (r < 560) return Move();
        if (r < 600) return Release();
        if (r < 760) return AdvanceClock();
        if (r < 880) return ChooseMenu();
        if (r < 920) return CloseAWindow();
        if (r < 990) return ChangeActivation();
        return ShowAWindow();
    }

    // Mostly the front window, as a user mostly works in it; nil when none is open.
    fw::Window* PickWindow() {
        const auto& windows = App().Windows();
        if (windows.empty()) return nullptr;
        if (Chance(0.8)) return windows.back().get();
        return windows[Int(0, int(windows.size()) - 1)].get();
    }

    // A point to press at: on a control, just beside one, on the bare window,
    // off the window or far out.
    QPoint PickPoint(fw::Window& w, std::string& what) {
        const auto& controls = w.Controls();
        const int r = Int(0, 99);
        if (r < 62 && !controls.empty()) {
            const fw::RectControl& c = PickControl(w);
            what = " on " + NameOf(c);
            return {c.Left() + Int(0, std::max(0, c.Width() - 1)), c.Top() + Int(0, std::max(0, c.Height() - 1))};
        }
        if (r < 75 && !controls.empty()) {
            const fw::RectControl& c = PickControl(w);
            what = " beside " + NameOf(c);
            const int x = c.Left() + Int(0, std::max(0, c.Width() - 1));
            const int y = c.Top() + Int(0, std::max(0, c.Height() - 1));
            switch (Int(0, 3)) {
            case 0: return {c.Left() - 1, y};
            case 1: return {c.Left() + c.Width(), y};
            case 2: return {x, c.Top() - 1};
            default: return {x, c.Top() + c.Height()};
            }
        }
        if (r < 88) return {Int(0, w.Width() - 1), Int(0, w.Height() - 1)};
        if (r < 97) {
            what = " off the window";
            return {Int(-300, w.Width() + 300), Chance(0.5) ? Int(-300, -1) : Int(w.Height(), w.Height() + 300)};
        }
        what = " far out";
        const int far[] = {INT_MIN, INT_MIN + 1, -100000, 100000, INT_MAX - 1, INT_MAX};
        return {far[Int(0, 5)], far[Int(0, 5)]};
    }

    // Visible controls are far likelier, and most of all those that act on a
    // press: they are what a student clicks.
    const fw::RectControl& PickControl(fw::Window& w) {
        const auto& controls = w.Controls();
        if (Chance(0.06)) return *controls[Int(0, int(controls.size()) - 1)];
        std::vector<int> weight;
        int total = 0;
        for (auto& c : controls) {
            const std::string& name = c->Name();
            int wgt = 0;
            if (c->Visible()) {
                wgt = 1;
                if (name.find("LizardCan") != std::string::npos || name == "PushButtonFastFwd") wgt = 8;
                else if (c->TakesPresses() || name == "RectangleTraits") wgt = 4;
            }
            weight.push_back(wgt);
            total += wgt;
        }
        if (total == 0) return *controls[Int(0, int(controls.size()) - 1)];
        int pick = Int(0, total - 1);
        for (size_t i = 0; i < controls.size(); ++i)
            if ((pick -= weight[i]) < 0) return *controls[i];
        return *controls.back();
    }

    // A press and a release at one point: a plain click.
    void Click() {
        Press();
        if (!down_) return;
        fw::Window* w = downIn_.lock().get();
        if (!w) return;
        Note("release there, " + Where(last_.x(), last_.y()) + Via());
        down_ = false;
        downIn_.reset();
        Mouse(*w, QEvent::MouseButtonRelease, last_);
    }

    void Press() {
        if (down_) Release();  // a button goes up before it goes down again
        fw::Window* picked = PickWindow();
        if (!picked) return;
        fw::Window& w = *picked;
        std::string what;
        const QPoint p = PickPoint(w, what);
        Note("press " + Where(p.x(), p.y()) + what + " in " + NameOf(w) + Via());
        down_ = true;
        downIn_ = w.weak_from_this();
        last_ = p;
        Mouse(w, QEvent::MouseButtonPress, p);
    }

    void Move() {
        fw::Window* w = down_ ? downIn_.lock().get() : nullptr;
        if (!w) w = PickWindow();
        if (!w) return;
        QPoint p;
        std::string what;
        if (down_ && Chance(0.7)) {
            // The usual: a short way on (held inside the int range near its ends).
            const auto on = [this](int v) { return int(std::clamp<long long>(v + (long long)Int(-40, 40), INT_MIN, INT_MAX)); };
            p = QPoint(on(last_.x()), on(last_.y()));
        } else {
            p = PickPoint(*w, what);
        }
        Note("move to " + Where(p.x(), p.y()) + what + " in " + NameOf(*w) + Via());
        last_ = p;
        Mouse(*w, QEvent::MouseMove, p);
    }

    void Release() {
        fw::Window* w = down_ ? downIn_.lock().get() : nullptr;
        if (!w) w = PickWindow();
        if (!w) return;
        const QPoint p = Chance(0.8) ? last_ : QPoint(Int(-50, w->Width() + 50), Int(-50, w->Height() + 50));
        Note("release " + Where(p.x(), p.y()) + " in " + NameOf(*w) + Via());
        down_ = false;
        downIn_.reset();
        Mouse(*w, QEvent::MouseButtonRelease, p);
    }

    // Through the host: Qt's own mouse events on the window's content, for
    // points the platform could deliver; else the framework's entry points.
    void Mouse(fw::Window& w, QEvent::Type type, QPoint p) {
        auto keep = w.shared_from_this();
        if (viaHost_ && hostNow_) {
            fw::QtHostWindow* top = QtHost::WidgetOf(w);
            if (top && top->isVisible() && p.x() > -5000 && p.x() < 5000 && p.y() > -5000 && p.y() < 5000) {
                QWidget* content = top->Content();
                if (type == QEvent::MouseButtonPress) QTest::mousePress(content, Qt::LeftButton, {}, p);
                else if (type == QEvent::MouseButtonRelease) QTest::mouseRelease(content, Qt::LeftButton, {}, p);
                else QTest::mouseMove(content, p);
                return;
            }
        }
        if (type == QEvent::MouseButtonPress) w.HandleMouseDown(p.x(), p.y());
        else if (type == QEvent::MouseButtonRelease) w.HandleMouseUp(p.x(), p.y());
        else w.HandleMouseMove(p.x(), p.y());
    }

    std::string Via() {
        hostNow_ = viaHost_ && Chance(0.6);
        return hostNow_ ? " [Qt]" : "";
    }

    void AdvanceClock() {
        // Mostly a few ticks; now and then long enough for the splash to go or
        // for a whole run of the generation clock.
        const int r = Int(0, 999);
        const int ms = r < 700 ? Int(1, 400) : r < 970 ? Int(400, 8000) : r < 995 ? Int(8000, 40000) : Int(90000, 110000);
        Note("clock on " + std::to_string(ms) + " ms");
        App().Clock().Advance(ms);
    }

    void ChooseMenu() {
        std::vector<fw::MenuItemPtr> items;
        std::function<void(const fw::MenuItem&)> walk = [&](const fw::MenuItem& parent) {
            for (auto& item : parent.Items()) {
                if (item->Items().empty() && !item->IsSeparator()) items.push_back(item);
                walk(*item);
            }
        };
        walk(*App().MenuBar());
        fw::MenuItemPtr item = items[Int(0, int(items.size()) - 1)];
        // Quitting ends a session: keep it rare, so that sessions are long.
        if (item->IsQuitItem() && !Chance(0.05)) item = App().MenuBar()->Lookup("FileReset");
        const std::string via = Via();
        Note("choose \"" + item->Text + "\"" + via);
        if (hostNow_ && TriggerInMenuBar(*item)) return;
        // As the host does: bring the items up to date, act only if enabled.
        App().UpdateMenus();
        if (item->Enabled) App().ChooseMenuItem(item->Name);
    }

    // The entry in the front window's own menu bar; false where it has none.
    static bool TriggerInMenuBar(const fw::MenuItem& item) {
        auto front = App().FrontWindow();
        fw::QtHostWindow* top = front ? QtHost::WidgetOf(*front) : nullptr;
        if (!top || !top->HasMenuBar()) return false;
        QAction* a = MenuEntry(*top, QString::fromStdString(item.Text));
        if (!a) return false;
        a->trigger();  // does nothing while disabled, as a real menu
        return true;
    }

    void CloseAWindow() {
        // Through the host, closing the last window ends the program: rarely.
        if (viaHost_ && App().Windows().size() == 1 && !Chance(0.1)) return ShowAWindow();
        fw::Window* picked = PickWindow();
        if (!picked) return;
        fw::Window& w = *picked;
        const std::string via = Via();
        Note("close box of " + NameOf(w) + (down_ ? " mid-drag" : "") + via);
        if (hostNow_)
            if (fw::QtHostWindow* top = QtHost::WidgetOf(w)) {
                top->close();
                return;
            }
        w.HandleCloseBox();
    }

    void ChangeActivation() {
        fw::Window* picked = PickWindow();
        if (!picked) return;
        fw::Window& w = *picked;
        if (Chance(0.5)) {
            Note("deactivate " + NameOf(w));
            w.HandleDeactivated();
        } else {
            Note("activate " + NameOf(w));
            w.HandleActivated();
        }
    }

    void ShowAWindow() {
        fw::Window* picked = PickWindow();
        if (!picked) return;
        fw::Window& w = *picked;
        Note("show " + NameOf(w));
        w.Show();
    }

    void Fail(const std::string& what) {
        if (failed_) return;
        failed_ = true;
        std::ostringstream out;
        out << "seed " << seed_ << (viaHost_ ? " (Qt host)" : "") << ", after event " << done_ << ": " << what
            << "\nthe last " << recent_.size() << " events:\n";
        for (const auto& e : recent_) out << "  " << e << "\n";
        ADD_FAILURE() << out.str();
    }

    uint64_t seed_;
    bool viaHost_;
    int repaintEvery_;
    bool hostNow_ = false;
    std::mt19937_64 rng_;
    long budget_ = 0, done_ = 0;
    int sessions_ = 0;
    bool failed_ = false;
    bool down_ = false;
    std::weak_ptr<fw::Window> downIn_;
    QPoint last_;
    std::deque<std::string> recent_;
    WalkStats stats_;
};

struct WalkPlan {
    uint64_t seed;
    bool viaHost;
    long events;
    int repaintEvery;  // a full repaint to compare with costs more than a step
};
void PrintTo(const WalkPlan& p, std::ostream* os) {
    *os << "seed " << p.seed << (p.viaHost ? " via Qt" : "") << ", " << p.events << " events, repaint compared every "
        << p.repaintEvery;
}

class RandomEvents : public ::testing::TestWithParam<WalkPlan> {};

TEST_P(RandomEvents, ProgramKeepsItsRules) {
    const WalkPlan plan = GetParam();
    RandomWalk walk(plan.seed, plan.viaHost, plan.repaintEvery);
    walk.Run(plan.events);
    EXPECT_FALSE(walk.Failed());
}

// Five seeds straight through the framework, two more partly through Qt,
// each compared with a full repaint every tenth step; one shorter walk
// compared after every step.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents,
                         ::testing::Values(WalkPlan{1, false, 20000, 10}, WalkPlan{2, false, 20000, 10},
                                           WalkPlan{3, false, 20000, 10}, WalkPlan{4, false, 20000, 10},
                                           WalkPlan{5, false, 20000, 10}, WalkPlan{6, true, 6000, 10},
                                           WalkPlan{7, true, 6000, 10}, WalkPlan{8, false, 4000, 1}));

TEST(RandomEventsSoak, Soak) {
    const char* seed = std::getenv("CLADEWORKS_SOAK_SEED");
    const char* events = std::getenv("CLADEWORKS_SOAK_EVENTS");
    if (!seed || !events) GTEST_SKIP() << "set CLADEWORKS_SOAK_SEED and CLADEWORKS_SOAK_EVENTS for a soak";
    const char* host = std::getenv("CLADEWORKS_SOAK_HOST");
    RandomWalk walk(std::strtoull(seed, nullptr, 10), host && *host == '1', 10);
    walk.Run(std::atol(events));
    EXPECT_FALSE(walk.Failed());
}

}  // namespace
