// Mouse routing: which control or window gets a press, its drags and its
// release; buttons and check boxes; entry and exit; the cursor; handlers that
// throw or close their own window.
#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

using Log = std::vector<std::string>;

std::string Pt(const char* what, int x, int y) { return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y); }

class MouseWindow : public Window {
public:
    std::shared_ptr<Canvas> pad, top, plainCanvas;
    std::shared_ptr<fw::Rectangle> rect;
    std::shared_ptr<StaticText> text;
    std::shared_ptr<fw::Line> line;
    std::shared_ptr<PushButton> button;
    std::shared_ptr<CheckBox> box;
    Log log;
    bool windowTakes = false;

    void Layout() override { SetSize(200, 150); }
    void CreateControls() override {
        pad = NewControl<Canvas>("Pad");
        pad->SetBounds(10, 10, 50, 50);
        top = NewControl<Canvas>("Top");
        top->SetBounds(40, 40, 40, 40);
        rect = NewControl<fw::Rectangle>("Rect");
        rect->SetBounds(100, 10, 20, 20);
        text = NewControl<StaticText>("Text");
        text->SetBounds(100, 40, 40, 20);
        text->SetText("Hello");
        line = NewControl<fw::Line>("Line");
        line->SetPoints(100, 70, 140, 70);
        line->SetBorderWidth(4);
        plainCanvas = NewControl<Canvas>("Plain");
        plainCanvas->SetBounds(150, 10, 20, 20);
        button = NewControl<PushButton>("Button");
        button->SetBounds(10, 100, 60, 24);
        button->SetCaption("Go");
        button->Action = [this] { log.push_back("button action"); };
        box = NewControl<CheckBox>("Box");
        box->SetBounds(100, 100, 80, 24);
        box->SetCaption("Tick");
        box->Action = [this] { log.push_back("box action"); };
    }

    // Binds logging press handlers; the MouseDown answers takes.
    void Bind(const std::shared_ptr<RectControl>& c, const std::string& name, bool takes) {
        c->MouseDown = [this, name, takes](int x, int y) {
            log.push_back(Pt((name + " down").c_str(), x, y));
            return takes;
        };
        c->MouseDrag = [this, name](int x, int y) { log.push_back(Pt((name + " drag").c_str(), x, y)); };
        c->MouseUp = [this, name](int x, int y) { log.push_back(Pt((name + " up").c_str(), x, y)); };
    }
    void BindHover(const std::shared_ptr<RectControl>& c, const std::string& name) {
        c->MouseEnter = [this, name] { log.push_back(name + " enter"); };
        c->MouseExit = [this, name] { log.push_back(name + " exit"); };
    }

    bool Event_MouseDown(int x, int y) override {
        log.push_back(Pt("window down", x, y));
        return windowTakes;
    }
    void Event_MouseDrag(int x, int y) override { log.push_back(Pt("window drag", x, y)); }
    void Event_MouseUp(int x, int y) override { log.push_back(Pt("window up", x, y)); }

    void Click(int x, int y) {
        HandleMouseDown(x, y);
        HandleMouseUp(x, y);
    }
};

CursorPtr MakeCursor() { return std::make_shared<MouseCursor>(QImage(16, 16, QImage::Format_ARGB32), QPoint(1, 1)); }

}  // namespace

using MouseTest = FrameworkTest;

TEST_F(MouseTest, TopmostVisibleControlTakesThePressAndFollowsTheDrag) {
    auto w = app->ImplicitWindow<MouseWindow>();
    w->Bind(w->pad, "pad", true);
    w->Bind(w->top, "top", true);

    w->HandleMouseDown(20, 30);
    w->HandleMouseMove(25, 35);
    w->HandleMouseMove(150, 140);  // far outside: the control keeps the drag
    w->HandleMouseUp(5, 5);
    EXPECT_EQ(w->log, (Log{"pad down 10,20", "pad drag 15,25", "pad drag 140,130", "pad up -5,-5"}));

    w->log.clear();
    w->Click(45, 45);  // where both lie: the later one is above
    EXPECT_EQ(w->log, (Log{"top down 5,5", "top up 5,5"}));

    w->log.clear();
    w->top->SetVisible(false);
    w->Click(45, 45);
    EXPECT_EQ(w->log, (Log{"pad down 35,35", "pad up 35,35"}));
}

TEST_F(MouseTest, APressOnADisabledControlDoesNothingAtAll) {
    auto w = app->ImplicitWindow<MouseWindow>();
    w->windowTakes = true;
    w->Bind(w->pad, "pad", true);
    w->pad->SetEnabled(false);
    w->button->SetEnabled(false);
    w->box->SetEnabled(false);

    w->HandleMouseDown(20, 20);
    w->HandleMouseMove(30, 30);
    w->HandleMouseUp(30, 30);
    w->Click(20, 110);
    w->Click(110, 110);
    EXPECT_TRUE(w->log.empty()) << w->log.front();
    EXPECT_FALSE(w->box->Value());
}

TEST_F(MouseTest, ARefusedPressGoesToTheWindowInWindowCoordinates) {
    auto w = app->ImplicitWindow<MouseWindow>();
    w->Bind(w->pad, "pad", false);

    w->HandleMouseDown(20, 30);
    w->HandleMouseMove(25, 35);
    w->HandleMouseUp(25, 35);
    EXPECT_EQ(w->log, (Log{"pad down 10,20", "window down 20,30"}));

    // The window keeps what it takes.
    w->log.clear();
    w->windowTakes = true;
    w->HandleMouseDown(20, 30);
    w->HandleMouseMove(25, 35);
    w->HandleMouseUp(26, 36);
    EXPECT_EQ(w->log, (Log{"pad down 10,20", "window down 20,30", "window drag 25,35", "window up 26,36"}));
}

TEST_F(MouseTest, ControlsThatTakeNoPressesPassThemToTheWindow) {
    auto w = app->ImplicitWindow<MouseWindow>();
    w->windowTakes = true;
    w->Bind(w->pad, "pad", true);

    w->Click(110, 20);  // rectangle
    w->Click(110, 50);  // static text
    w->Click(120, 71);  // line
    w->Click(160, 20);  // canvas without handlers
    w->Click(190, 5);   // nothing
    EXPECT_EQ(w->log, (Log{"window down 110,20", "window up 110,20", "window down 110,50", "window up 110,50",
                           "window down 120,71", "window up 120,71", "window down 160,20", "window up 160,20",
                           "window down 190,5", "window up 190,5"}));

    // A control with no MouseDown above one with it still lets the press through
    // to the window, not to the one beneath.
    w->log.clear();
    w->Click(50, 50);
    EXPECT_EQ(w->log, (Log{"window down 50,50", "window up 50,50"}));

    // A window that refuses the press gets neither drag nor release.
    w->log.clear();
    w->windowTakes = false;
    w->HandleMouseDown(190, 5);
    w->HandleMouseMove(191, 6);
    w->HandleMouseUp(191, 6);
    EXPECT_EQ(w->log, (Log{"window down 190,5"}));
}

TEST_F(MouseTest, DragCoordinatesFollowTheControlsCurrentCorner) {
    auto w = app->ImplicitWindow<MouseWindow>();
    auto pad = w->pad;
    std::vector<int> windowX;  // x + corner as seen inside each handler
    pad->MouseDown = [&](int x, int) {
        windowX.push_back(x + pad->Left());
        return true;
    };
    pad->MouseDrag = [&](int x, int y) {
        windowX.push_back(x + pad->Left());
        pad->SetBounds(pad->Left() + x - 10, pad->Top() + y - 10, pad->Width(), pad->Height());
    };
    pad->MouseUp = [&](int x, int) { windowX.push_back(x + pad->Left()); };

    w->HandleMouseDown(20, 20);
    w->HandleMouseMove(30, 25);
    w->HandleMouseMove(37, 29);
    w->HandleMouseMove(44, 33);
    w->HandleMouseUp(50, 40);
    EXPECT_EQ(windowX, (std::vector<int>{20, 30, 37, 44, 50}));
    EXPECT_EQ(pad->Left(), 34);  // the press point stays 10,10 inside the control
    EXPECT_EQ(pad->Top(), 23);
}

TEST_F(MouseTest, PushButtonShowsPressedWhileHeldAndActsOnAReleaseInside) {
    auto w = app->ImplicitWindow<MouseWindow>();
    auto b = w->button;
    const QImage up = w->Image().copy(b->Bounds());

    w->HandleMouseDown(20, 110);
    EXPECT_TRUE(b->Pressed());
    EXPECT_NE(w->Image().copy(b->Bounds()), up);
    w->HandleMouseMove(120, 140);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(w->Image().copy(b->Bounds()), up);
    w->HandleMouseMove(30, 112);
    EXPECT_TRUE(b->Pressed());
    w->HandleMouseUp(30, 112);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(w->Image().copy(b->Bounds()), up);
    EXPECT_EQ(w->log, (Log{"button action"}));

    w->log.clear();
    w->HandleMouseDown(20, 110);
    w->HandleMouseUp(150, 140);
    EXPECT_FALSE(b->Pressed());
    EXPECT_TRUE(w->log.empty());

    // A MouseDown that takes the press replaces the button's own behaviour.
    w->Bind(b, "button", true);
    w->Click(20, 110);
    EXPECT_EQ(w->log, (Log{"button down 10,10", "button up 10,10"}));
    EXPECT_FALSE(b->Pressed());
}

TEST_F(MouseTest, CheckBoxTogglesOnAReleaseInsideUnlessItsMouseDownTookThePress) {
    auto w = app->ImplicitWindow<MouseWindow>();
    auto box = w->box;
    const QImage off = w->Image().copy(box->Bounds());

    w->Click(110, 110);
    EXPECT_TRUE(box->Value());
    EXPECT_NE(w->Image().copy(box->Bounds()), off);
    EXPECT_EQ(w->log, (Log{"box action"}));
    w->Click(110, 110);
    EXPECT_FALSE(box->Value());
    EXPECT_EQ(w->Image().copy(box->Bounds()), off);

    w->log.clear();
    w->HandleMouseDown(110, 110);
    w->HandleMouseUp(10, 10);
    EXPECT_FALSE(box->Value());
    EXPECT_TRUE(w->log.empty());

    w->Bind(box, "box", false);
    w->Click(110, 110);
    EXPECT_TRUE(box->Value());
    EXPECT_EQ(w->log, (Log{"box down 10,10", "box action"}));

    w->log.clear();
    w->Bind(box, "box", true);
    w->HandleMouseDown(110, 110);
    w->HandleMouseMove(112, 111);
    w->HandleMouseUp(112, 111);
    EXPECT_TRUE(box->Value());
    EXPECT_EQ(w->log, (Log{"box down 10,10", "box drag 12,11", "box up 12,11"}));
}

TEST_F(MouseTest, EnterAndExitFollowEachVisibleControlsRectangle) {
    auto w = app->ImplicitWindow<MouseWindow>();
    w->BindHover(w->pad, "pad");  // 10..59
    w->BindHover(w->top, "top");  // 40..79
    w->windowTakes = true;

    w->HandleMouseMove(5, 5);
    EXPECT_TRUE(w->log.empty());
    w->HandleMouseMove(20, 20);
    w->HandleMouseMove(45, 45);
    w->HandleMouseMove(46, 46);
    w->HandleMouseMove(70, 70);
    w->HandleMouseMove(20, 20);  // straight from top alone to pad alone
    EXPECT_EQ(w->log, (Log{"pad enter", "top enter", "pad exit", "top exit", "pad enter"}));

    // Held button: nothing until the release brings it up to date.
    w->log.clear();
    w->HandleMouseDown(20, 20);
    w->HandleMouseMove(45, 45);
    w->HandleMouseMove(70, 70);
    EXPECT_EQ(w->log, (Log{"window down 20,20", "window drag 45,45", "window drag 70,70"}));
    w->log.clear();
    w->HandleMouseUp(70, 70);
    EXPECT_EQ(w->log, (Log{"window up 70,70", "pad exit", "top enter"}));

    // Held too when nobody took the press.
    w->log.clear();
    w->windowTakes = false;
    w->HandleMouseDown(70, 70);
    w->HandleMouseMove(20, 20);
    EXPECT_EQ(w->log, (Log{"window down 70,70"}));
    w->HandleMouseUp(20, 20);
    EXPECT_EQ(w->log, (Log{"window down 70,70", "top exit", "pad enter"}));
    w->HandleMouseMove(70, 70);

    // Hidden under the pointer: the exit comes with the next move; hidden
    // controls get no entry.
    w->log.clear();
    w->top->SetVisible(false);
    EXPECT_TRUE(w->log.empty());
    w->HandleMouseMove(71, 71);
    w->HandleMouseMove(45, 45);
    EXPECT_EQ(w->log, (Log{"top exit", "pad enter"}));

    w->log.clear();
    w->HandleMouseLeave();
    EXPECT_EQ(w->log, (Log{"pad exit"}));
}

TEST_F(MouseTest, CursorIsTheControlsUnderThePointerOrDuringADragThePressedOnes) {
    auto w = app->ImplicitWindow<MouseWindow>();
    EXPECT_EQ(w->CurrentCursor(), ArrowCursor());

    auto padCursor = MakeCursor(), windowCursor = MakeCursor();
    w->pad->SetMouseCursor(padCursor);
    w->HandleMouseMove(20, 20);
    EXPECT_EQ(w->CurrentCursor(), padCursor);
    w->HandleMouseMove(190, 140);
    EXPECT_EQ(w->CurrentCursor(), ArrowCursor());

    w->SetMouseCursor(windowCursor);
    EXPECT_EQ(w->CurrentCursor(), windowCursor);
    w->HandleMouseMove(45, 45);  // top lies over pad and has no cursor
    EXPECT_EQ(w->CurrentCursor(), windowCursor);
    w->top->SetVisible(false);
    w->HandleMouseMove(46, 46);
    EXPECT_EQ(w->CurrentCursor(), padCursor);

    w->Bind(w->pad, "pad", true);
    w->HandleMouseDown(20, 20);
    w->HandleMouseMove(190, 140);
    EXPECT_EQ(w->CurrentCursor(), padCursor);
    w->HandleMouseUp(190, 140);
    EXPECT_EQ(w->CurrentCursor(), windowCursor);

    // A drag the window took shows the window's cursor, even over the pad.
    w->windowTakes = true;
    w->HandleMouseDown(190, 140);
    w->HandleMouseMove(20, 20);
    EXPECT_EQ(w->CurrentCursor(), windowCursor);
    w->HandleMouseUp(20, 20);
    EXPECT_EQ(w->CurrentCursor(), padCursor);
}

TEST_F(MouseTest, AThrowingHandlerIsCaughtAndLaterEventsStillArrive) {
    auto w = app->ImplicitWindow<MouseWindow>();
    bool fail = true;
    int downs = 0, drags = 0, ups = 0, enters = 0;
    auto maybeThrow = [&] {
        if (fail) throw std::runtime_error("handler failed");
    };
    w->pad->MouseDown = [&](int, int) { ++downs; maybeThrow(); return true; };
    w->pad->MouseDrag = [&](int, int) { ++drags; maybeThrow(); };
    w->pad->MouseUp = [&](int, int) { ++ups; maybeThrow(); };
    w->pad->MouseEnter = [&] { ++enters; maybeThrow(); };
    w->button->Action = [&] { maybeThrow(); };

    w->HandleMouseMove(20, 20);
    EXPECT_EQ(Unhandled(), 1);
    w->HandleMouseDown(20, 20);
    EXPECT_EQ(Unhandled(), 2);
    w->HandleMouseUp(20, 20);  // the press never completed: nothing to release
    EXPECT_EQ(Unhandled(), 2);
    w->Click(20, 110);
    EXPECT_EQ(Unhandled(), 3);
    EXPECT_FALSE(w->button->Pressed());

    fail = false;
    w->HandleMouseDown(20, 20);
    fail = true;
    w->HandleMouseMove(21, 21);
    w->HandleMouseUp(22, 22);
    EXPECT_EQ(Unhandled(), 5);

    fail = false;
    w->HandleMouseDown(20, 20);
    w->HandleMouseMove(21, 21);
    w->HandleMouseUp(22, 22);
    EXPECT_EQ(Unhandled(), 5);
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(drags, 2);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(enters, 1);
}

namespace {

// Closes itself from whichever handler the test arms, then still reads its own
// members, as real handlers do.
class SelfClosingWindow : public Window {
public:
    std::shared_ptr<PushButton> button;
    std::shared_ptr<Canvas> pad;
    int* after = nullptr;
    enum { None, OnAction, OnWindowUp, OnDrag, OnEnter } when = None;

    void CreateControls() override {
        button = NewControl<PushButton>("Close");
        button->SetBounds(0, 0, 40, 20);
        button->Action = [this] { CloseNow(OnAction); };
        pad = NewControl<Canvas>("Pad");
        pad->SetBounds(50, 50, 40, 40);
        pad->MouseDown = [](int, int) { return true; };
        pad->MouseDrag = [this](int, int) { CloseNow(OnDrag); };
        pad->MouseEnter = [this] { CloseNow(OnEnter); };
    }
    bool Event_MouseDown(int, int) override { return true; }
    void Event_MouseUp(int, int) override { CloseNow(OnWindowUp); }

private:
    void CloseNow(int which) {
        if (when != which) return;
        Close();
        ++*after;
        Title = "closed";
    }
};

// Builds a self-closing window, keeps only a weak hold on it and returns the
// raw pointer the host would call through.
Window* ArmedWindow(fw::Application& app, int event, int& after, std::weak_ptr<Window>& weak) {
    auto w = app.ImplicitWindow<SelfClosingWindow>();
    w->when = static_cast<decltype(w->when)>(event);
    w->after = &after;
    weak = w;
    return w.get();
}

}  // namespace

TEST_F(MouseTest, ClosingFromInsideItsOwnHandlerIsSafe) {
    for (int event : {SelfClosingWindow::OnAction, SelfClosingWindow::OnWindowUp, SelfClosingWindow::OnDrag,
                      SelfClosingWindow::OnEnter}) {
        SCOPED_TRACE(event);
        int after = 0;
        std::weak_ptr<Window> weak;
        Window* w = ArmedWindow(*app, event, after, weak);
        switch (event) {
        case SelfClosingWindow::OnAction:
            w->HandleMouseDown(5, 5);
            w->HandleMouseUp(5, 5);
            break;
        case SelfClosingWindow::OnWindowUp:
            w->HandleMouseDown(95, 5);
            w->HandleMouseUp(95, 5);
            break;
        case SelfClosingWindow::OnDrag:
            w->HandleMouseDown(60, 60);
            w->HandleMouseMove(61, 61);
            break;
        case SelfClosingWindow::OnEnter:
            w->HandleMouseMove(60, 60);
            break;
        }
        EXPECT_EQ(after, 1);
        EXPECT_TRUE(weak.expired());  // discarded once the handler returned
        EXPECT_EQ(app->FrontWindow(), nullptr);
        EXPECT_EQ(Unhandled(), 0);
    }
}

TEST_F(MouseTest, PointsFarOutsideAnyScreenReachHandlersWithoutOverflow) {
    auto w = app->ImplicitWindow<MouseWindow>();
    auto pad = w->pad;
    std::vector<std::pair<int, int>> seen;  // window points the handlers can rebuild
    pad->MouseDown = [&](int, int) { return true; };
    pad->MouseDrag = [&](int x, int y) {
        seen.emplace_back(pad->Left() + x, pad->Top() + y);
        // Carry the control along, as a drag does: it ends up far out itself.
        pad->SetBounds(pad->Left() + x - 5, pad->Top() + y - 5, pad->Width(), pad->Height());
    };
    pad->MouseUp = [&](int x, int y) { seen.emplace_back(pad->Left() + x, pad->Top() + y); };

    w->HandleMouseDown(15, 15);
    w->HandleMouseMove(INT_MAX, INT_MIN);
    w->HandleMouseMove(INT_MIN, INT_MAX);
    w->HandleMouseMove(INT_MAX, INT_MAX);
    w->HandleMouseUp(INT_MIN, INT_MIN);
    ASSERT_EQ(seen.size(), 4u);
    // Held far beyond any screen, with the signs kept.
    const int far = seen[0].first;
    EXPECT_GE(far, 1 << 24);
    EXPECT_EQ(seen[0], std::pair(far, -far));
    EXPECT_EQ(seen[1], std::pair(-far, far));
    EXPECT_EQ(seen[2], std::pair(far, far));
    EXPECT_EQ(seen[3], std::pair(-far, -far));
}
