// Timers on the hand-driven clock, menus and their handlers, and handlers that
// throw.
#include <stdexcept>
#include <string>
#include <vector>

#include "framework_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

using Log = std::vector<std::string>;

class TimerWindow : public Window {
public:
    std::shared_ptr<Timer> a, b;
    void CreateControls() override {
        a = NewControl<Timer>("A");
        b = NewControl<Timer>("B");
    }
};

class OtherTimerWindow : public TimerWindow {};

// Records the clock's time at each firing.
void Record(const std::shared_ptr<Timer>& t, std::vector<int64_t>& at) {
    t->Action = [&at] { at.push_back(fw::Application::Instance()->Clock().Now()); };
}

}  // namespace

using TimerTest = FrameworkTest;

TEST_F(TimerTest, ModeOneFiresOnceAfterItsPeriod) {
    auto w = app->ImplicitWindow<TimerWindow>();
    std::vector<int64_t> at;
    Record(w->a, at);
    w->a->SetPeriod(500);
    w->a->SetMode(1);
    app->Clock().Advance(499);
    EXPECT_TRUE(at.empty());
    app->Clock().Advance(1);
    EXPECT_EQ(at, (std::vector<int64_t>{500}));
    EXPECT_EQ(w->a->Mode(), 0);
    app->Clock().Advance(5000);
    EXPECT_EQ(at.size(), 1u);

    // Armed again, it counts from now.
    w->a->SetMode(1);
    app->Clock().Advance(10000);
    EXPECT_EQ(at, (std::vector<int64_t>{500, 6000}));
}

TEST_F(TimerTest, ModeTwoFiresEveryPeriodInOrderUntilModeZero) {
    auto w = app->ImplicitWindow<TimerWindow>();
    std::vector<int64_t> at;
    Record(w->a, at);
    w->a->SetPeriod(100);
    w->a->SetMode(2);
    app->Clock().Advance(100200);
    ASSERT_EQ(at.size(), 1002u);
    for (size_t i = 0; i < at.size(); ++i) ASSERT_EQ(at[i], int64_t(100 * (i + 1))) << i;

    w->a->SetMode(0);
    app->Clock().Advance(1000);
    EXPECT_EQ(at.size(), 1002u);
    EXPECT_EQ(app->Clock().NextDue(), -1);
}

TEST_F(TimerTest, ATimersActionMayChangeItsOwnMode) {
    auto w = app->ImplicitWindow<TimerWindow>();
    // Once, then every period from its own Action.
    int onceThenRepeat = 0;
    w->a->Action = [&] {
        if (++onceThenRepeat == 1) w->a->SetMode(2);
    };
    w->a->SetPeriod(100);
    w->a->SetMode(1);
    // Every period, stopping itself at the third.
    int stopsItself = 0;
    w->b->Action = [&] {
        if (++stopsItself == 3) w->b->SetMode(0);
    };
    w->b->SetPeriod(40);
    w->b->SetMode(2);

    app->Clock().Advance(1000);
    EXPECT_EQ(onceThenRepeat, 10);
    EXPECT_EQ(w->a->Mode(), 2);
    EXPECT_EQ(stopsItself, 3);
    EXPECT_EQ(w->b->Mode(), 0);
}

TEST_F(TimerTest, TwoTimersInterleaveInDueTimeOrder) {
    auto w = app->ImplicitWindow<TimerWindow>();
    std::vector<std::string> log;
    auto now = [this] { return std::to_string(app->Clock().Now()); };
    w->a->Action = [&] { log.push_back("A" + now()); };
    w->b->Action = [&] { log.push_back("B" + now()); };
    w->a->SetPeriod(30);
    w->b->SetPeriod(70);
    w->b->SetMode(2);
    w->a->SetMode(2);
    app->Clock().Advance(200);
    EXPECT_EQ(log, (Log{"A30", "A60", "B70", "A90", "A120", "B140", "A150", "A180"}));
}

TEST_F(TimerTest, ATimerStopsWithItsWindowAndNeverFiresAgain) {
    auto w = app->ImplicitWindow<TimerWindow>();
    auto other = app->ImplicitWindow<OtherTimerWindow>();
    int closedTicks = 0, otherTicks = 0;
    w->a->Action = [&] { ++closedTicks; };
    other->a->Action = [&] { ++otherTicks; };
    for (auto* t : {w->a.get(), other->a.get()}) {
        t->SetPeriod(10);
        t->SetMode(2);
    }
    app->Clock().Advance(25);
    w->Close();
    app->Clock().Advance(100);
    w->a->SetMode(2);  // a closed window's timer stays stopped
    w->a->SetMode(1);
    app->Clock().Advance(100);
    EXPECT_EQ(closedTicks, 2);
    EXPECT_EQ(otherTicks, 22);
}

namespace {

class SelfClosingTimerWindow : public Window {
public:
    std::shared_ptr<Timer> closer, sameTime;
    int* after = nullptr;
    int* sameTimeFired = nullptr;
    void CreateControls() override {
        closer = NewControl<Timer>("Closer");
        closer->SetPeriod(100);
        closer->SetMode(2);
        closer->Action = [this] {
            Close();
            ++*after;  // the window and its timer are still there to read
            Title = "closed";
            if (closer->Mode() != 0) ++*after;
        };
        sameTime = NewControl<Timer>("SameTime");
        sameTime->SetPeriod(100);
        sameTime->SetMode(2);
        sameTime->Action = [this] { ++*sameTimeFired; };
    }
};

}  // namespace

TEST_F(TimerTest, ATimerWhoseActionClosesItsWindowIsSafe) {
    int after = 0, sameTimeFired = 0;
    std::weak_ptr<Window> weak;
    {
        auto w = app->ImplicitWindow<SelfClosingTimerWindow>();
        w->after = &after;
        w->sameTimeFired = &sameTimeFired;
        weak = w;
    }
    app->Clock().Advance(1000);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(sameTimeFired, 0);  // due at the same moment, but after the close
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(app->Clock().NextDue(), -1);
    EXPECT_EQ(Unhandled(), 0);
}

TEST_F(TimerTest, AThrowingTimerActionIsCaughtAndTheTimerGoesOn) {
    auto w = app->ImplicitWindow<TimerWindow>();
    int calls = 0;
    w->a->Action = [&] {
        ++calls;
        throw std::runtime_error("tick failed");
    };
    w->a->SetPeriod(100);
    w->a->SetMode(2);
    app->Clock().Advance(300);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(Unhandled(), 3);
}

namespace {

MenuItemPtr Item(const std::string& name, const std::string& text, const std::string& shortcut = "") {
    auto item = std::make_shared<MenuItem>();
    item->Name = name;
    item->Text = text;
    item->KeyboardShortcut = shortcut;
    return item;
}

std::shared_ptr<MenuBar> MakeBar() {
    auto bar = std::make_shared<MenuBar>();
    auto file = Item("FileMenu", "File");
    bar->Append(file);
    file->Append(Item("FileNew", "New", "Cmd+N"));
    file->Append(Item("FileOpen", "Open...", "Cmd+O"));
    file->Append(Item("FileClose", "Close", "Cmd+W"));
    auto recent = Item("FileRecent", "Open Recent");
    file->Append(recent);
    recent->Append(Item("RecentOne", "One", "Cmd+Shift+1"));
    file->Append(Item("FileSep", "-"));
    auto quit = std::make_shared<QuitMenuItem>();
    quit->Name = "FileQuit";
    quit->Text = "Quit";
    quit->KeyboardShortcut = "Cmd+Q";
    file->Append(quit);
    auto edit = Item("EditMenu", "Edit");
    bar->Append(edit);
    edit->Append(Item("EditUndo", "Undo", "Cmd+Z"));
    auto fixedOff = Item("EditFixedOff", "Off");
    fixedOff->AutoEnable = false;
    fixedOff->Enabled = false;
    edit->Append(fixedOff);
    auto fixedOn = Item("EditFixedOn", "On");
    fixedOn->AutoEnable = false;
    edit->Append(fixedOn);
    return bar;
}

Log gMenuLog;

class MenuWindow : public Window {
public:
    bool newResult = true;
    bool throwOnEnable = false;
    void AddMenuHandlers() override {
        AddMenuHandler("FileNew", [this] {
            gMenuLog.push_back("window FileNew");
            return newResult;
        });
        AddMenuHandler("Boom", []() -> bool { throw std::runtime_error("menu failed"); });
    }
    void Event_EnableMenuItems() override {
        gMenuLog.push_back("window enable");
        if (throwOnEnable) throw std::runtime_error("enable failed");
        // Enables an item no handler is in reach of: must stick.
        Application::Instance()->MenuBar()->Lookup("EditUndo")->Enable();
    }
};

class QuitHandlingWindow : public Window {
public:
    bool quitResult = true;
    void AddMenuHandlers() override {
        AddMenuHandler("FileQuit", [this] {
            gMenuLog.push_back("window FileQuit");
            return quitResult;
        });
    }
};

class PlainWindow : public Window {
public:
    void Event_EnableMenuItems() override { gMenuLog.push_back("plain enable"); }
};

}  // namespace

using MenuTest = FrameworkTest;

TEST_F(MenuTest, ItemsAreFoundByNameDirectlyOrAnywhereBelow) {
    auto bar = MakeBar();
    auto file = bar->Child("FileMenu");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Text, "File");
    EXPECT_EQ(bar->Child("FileNew"), nullptr);  // not a direct child
    EXPECT_EQ(file->Child("FileNew"), bar->Lookup("FileNew"));
    ASSERT_NE(bar->Lookup("RecentOne"), nullptr);
    EXPECT_EQ(bar->Lookup("RecentOne")->Text, "One");
    EXPECT_EQ(bar->Lookup("EditUndo"), bar->Child("EditMenu")->Child("EditUndo"));
    EXPECT_EQ(bar->Lookup("Nothing"), nullptr);
    ASSERT_NE(bar->Lookup("FileSep"), nullptr);
    EXPECT_TRUE(bar->Lookup("FileSep")->IsSeparator());
    ASSERT_NE(bar->Lookup("FileQuit"), nullptr);
    EXPECT_TRUE(bar->Lookup("FileQuit")->IsQuitItem());

    const size_t count = file->Items().size();
    file->Append(nullptr);
    EXPECT_EQ(file->Items().size(), count);
}

TEST_F(MenuTest, WalksGoDepthFirstInTreeOrderAndTheFirstMatchWins) {
    auto bar = MakeBar();
    std::vector<std::string> seen;
    bar->ForEach([&](MenuItem& item, const MenuItem& parent) {
        seen.push_back((&parent == bar.get() ? std::string("bar") : parent.Name) + ">" + item.Name);
    });
    EXPECT_EQ(seen, (Log{"bar>FileMenu", "FileMenu>FileNew", "FileMenu>FileOpen", "FileMenu>FileClose",
                         "FileMenu>FileRecent", "FileRecent>RecentOne", "FileMenu>FileSep", "FileMenu>FileQuit",
                         "bar>EditMenu", "EditMenu>EditUndo", "EditMenu>EditFixedOff", "EditMenu>EditFixedOn"}));

    // Deep before later and shallower; the walk stops at the match.
    int asked = 0;
    auto deep = bar->Find([&](const MenuItem& item) {
        ++asked;
        return item.Name == "RecentOne" || item.Name == "FileQuit" || item.Name == "EditMenu";
    });
    EXPECT_EQ(deep, bar->Child("FileMenu")->Child("FileRecent")->Child("RecentOne"));
    EXPECT_EQ(asked, 6);
    // The item walked from is not one of its own items.
    EXPECT_EQ(bar->Child("FileMenu")->Find([](const MenuItem& item) { return item.Name == "FileMenu"; }), nullptr);

    // Of two items with one name, the first in tree order is the one found.
    bar->Child("EditMenu")->Append(Item("FileNew", "Another New"));
    EXPECT_EQ(bar->Lookup("FileNew")->Text, "New");
}

TEST_F(MenuTest, UpdateMenusEnablesByHandlersInReachThenAsksWindowThenApplication) {
    app->SetMenuBar(MakeBar());
    auto bar = app->MenuBar();
    app->AddMenuHandler("FileOpen", [] { return true; });
    bool undoEnabledForApp = false;
    app->onEnableMenuItems = [&] {
        gMenuLog.push_back("app enable");
        undoEnabledForApp = bar->Lookup("EditUndo")->Enabled;
    };
    bar->Lookup("FileNew")->Enabled = false;
    bar->Lookup("FileQuit")->Enabled = false;
    auto w = app->ImplicitWindow<MenuWindow>();

    gMenuLog.clear();
    app->UpdateMenus();
    EXPECT_EQ(gMenuLog, (Log{"window enable", "app enable"}));
    EXPECT_TRUE(undoEnabledForApp);
    auto enabled = [&](const char* name) { return bar->Lookup(name)->Enabled; };
    EXPECT_TRUE(enabled("FileNew"));     // the window's handler
    EXPECT_TRUE(enabled("FileOpen"));    // the application's
    EXPECT_FALSE(enabled("FileClose"));  // nobody's
    EXPECT_FALSE(enabled("RecentOne"));  // nested, nobody's
    EXPECT_TRUE(enabled("FileQuit"));  // always, handler or not
    EXPECT_TRUE(enabled("EditUndo"));  // enabled by the window's EnableMenuItems
    EXPECT_FALSE(enabled("EditFixedOff"));
    EXPECT_TRUE(enabled("EditFixedOn"));
    EXPECT_TRUE(enabled("FileMenu"));
    EXPECT_TRUE(enabled("FileRecent"));

    // Another window in front: the back window's handlers are out of reach.
    auto front = app->ImplicitWindow<PlainWindow>();
    gMenuLog.clear();
    app->UpdateMenus();
    EXPECT_EQ(gMenuLog, (Log{"plain enable", "app enable"}));
    EXPECT_FALSE(enabled("FileNew"));
    EXPECT_FALSE(enabled("EditUndo"));
    EXPECT_TRUE(enabled("FileOpen"));

    // A throwing EnableMenuItems is caught; the next update works.
    front->Close();
    w->throwOnEnable = true;
    app->UpdateMenus();
    EXPECT_EQ(Unhandled(), 1);
    w->throwOnEnable = false;
    gMenuLog.clear();
    app->UpdateMenus();
    EXPECT_EQ(gMenuLog, (Log{"window enable", "app enable"}));
}

TEST_F(MenuTest, ChoicesGoToTheFrontWindowThenToTheApplication) {
    app->SetMenuBar(MakeBar());
    app->AddMenuHandler("FileNew", [] { gMenuLog.push_back("app FileNew"); return true; });
    app->AddMenuHandler("FileOpen", [] { gMenuLog.push_back("app FileOpen"); return true; });
    auto w = app->ImplicitWindow<MenuWindow>();

    gMenuLog.clear();
    EXPECT_TRUE(app->ChooseMenuItem("FileNew"));
    EXPECT_EQ(gMenuLog, (Log{"window FileNew"}));

    gMenuLog.clear();
    w->newResult = false;
    EXPECT_TRUE(app->ChooseMenuItem("FileNew"));
    EXPECT_EQ(gMenuLog, (Log{"window FileNew", "app FileNew"}));

    gMenuLog.clear();
    EXPECT_TRUE(app->ChooseMenuItem("FileOpen"));
    EXPECT_EQ(gMenuLog, (Log{"app FileOpen"}));

    gMenuLog.clear();
    EXPECT_FALSE(app->ChooseMenuItem("FileClose"));
    EXPECT_TRUE(gMenuLog.empty());

    // Only the front window is asked.
    auto front = app->ImplicitWindow<PlainWindow>();
    gMenuLog.clear();
    EXPECT_TRUE(app->ChooseMenuItem("FileNew"));
    EXPECT_EQ(gMenuLog, (Log{"app FileNew"}));

    // A throwing handler is caught, and choices still work afterwards.
    front->Close();
    app->ChooseMenuItem("Boom");
    EXPECT_EQ(Unhandled(), 1);
    gMenuLog.clear();
    w->newResult = true;
    EXPECT_TRUE(app->ChooseMenuItem("FileNew"));
    EXPECT_EQ(gMenuLog, (Log{"window FileNew"}));
    EXPECT_FALSE(app->Quitting());
}

TEST_F(MenuTest, TheQuitItemQuitsUnlessAHandlerTookTheChoice) {
    app->SetMenuBar(MakeBar());
    auto w = app->ImplicitWindow<QuitHandlingWindow>();
    gMenuLog.clear();
    EXPECT_TRUE(app->ChooseMenuItem("FileQuit"));
    EXPECT_EQ(gMenuLog, (Log{"window FileQuit"}));
    EXPECT_FALSE(app->Quitting());

    // A handler that lets the choice pass on does not stop the quit.
    w->quitResult = false;
    EXPECT_TRUE(app->ChooseMenuItem("FileQuit"));
    EXPECT_TRUE(app->Quitting());
}

TEST_F(MenuTest, QuitItemQuitsWithoutAnyHandler) {
    app->SetMenuBar(MakeBar());
    EXPECT_FALSE(app->Quitting());
    EXPECT_TRUE(app->ChooseMenuItem("FileQuit"));
    EXPECT_TRUE(app->Quitting());
}

namespace {

class ThrowingActivationWindow : public Window {
public:
    int activations = 0;
    void Event_Activate() override {
        if (++activations == 1) throw std::runtime_error("activation failed");
    }
};

}  // namespace

TEST_F(MenuTest, AThrowingActivationIsCaughtAndTheWindowStillWorks) {
    auto w = app->ImplicitWindow<ThrowingActivationWindow>();
    EXPECT_EQ(Unhandled(), 1);
    EXPECT_TRUE(w->IsActive());
    EXPECT_EQ(app->FrontWindow(), w);
    auto other = app->ImplicitWindow<PlainWindow>();
    w->Show();
    EXPECT_EQ(w->activations, 2);
    EXPECT_EQ(Unhandled(), 1);
}
