// Window composition, repaint and life-cycle rules, read back from the
// window's image and from event logs.
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "framework_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

std::shared_ptr<fw::Rectangle> Solid(const std::shared_ptr<fw::Rectangle>& r, QRect bounds, Color fill) {
    r->SetBounds(bounds);
    r->SetFillColor(fill);
    r->SetBorderWidth(0);
    return r;
}

class StackWindow : public Window {
public:
    std::shared_ptr<fw::Rectangle> a, b, hidden, bevel, flat;
    std::shared_ptr<fw::Line> line;

    void Layout() override { SetSize(200, 150); }
    void CreateControls() override {
        a = Solid(NewControl<fw::Rectangle>("A"), {10, 10, 40, 40}, kRed);
        b = Solid(NewControl<fw::Rectangle>("B"), {30, 30, 40, 40}, kBlue);
        hidden = Solid(NewControl<fw::Rectangle>("Hidden"), {100, 10, 20, 20}, kGreen);
        hidden->SetVisible(false);
        bevel = NewControl<fw::Rectangle>("Bevel");
        bevel->SetBounds(120, 60, 20, 10);
        bevel->SetBorderWidth(2);
        bevel->SetFillColor(kYellow);
        bevel->SetTopLeftColor(kGreen);
        bevel->SetBottomRightColor(kRed);
        flat = NewControl<fw::Rectangle>("Flat");
        flat->SetBounds(150, 60, 20, 10);
        flat->SetBorderWidth(0);
        flat->SetFillColor(kYellow);
        flat->SetTopLeftColor(kGreen);
        flat->SetBottomRightColor(kRed);
        line = NewControl<fw::Line>("Line");
        line->SetPoints(10, 100, 50, 100);
        line->SetBorderWidth(3);
        line->SetLineColor(kRed);
    }
};

class TintedWindow : public Window {
public:
    void Layout() override {
        SetSize(50, 40);
        HasBackColor = true;
        BackColor = RGB(200, 100, 50);
    }
};

// A backdrop whose top-left quarter is red and the rest white.
PicturePtr QuarterBackdrop() {
    auto p = NewPicture(10, 10, 16);
    p->Graphics().ForeColor = kRed;
    p->Graphics().FillRect(0, 0, 5, 5);
    return p;
}

class CanvasWindow : public Window {
public:
    std::shared_ptr<Canvas> erased, unerased, painted, seeThrough, seeThroughUnerased;

    void Layout() override {
        SetSize(120, 100);
        HasBackColor = true;
        BackColor = RGB(200, 100, 50);
    }
    void CreateControls() override {
        Solid(NewControl<fw::Rectangle>("Under"), {10, 10, 60, 30}, kBlack);
        erased = NewControl<Canvas>("Erased");
        erased->SetBounds(10, 10, 20, 20);
        unerased = NewControl<Canvas>("Unerased");
        unerased->SetBounds(40, 10, 20, 20);
        unerased->EraseBackground = false;

        painted = NewControl<Canvas>("Painted");
        painted->SetBounds(10, 60, 20, 20);
        painted->SetBackdrop(QuarterBackdrop());
        painted->Paint = [](fw::Graphics& g) {
            g.ForeColor = kBlue;
            g.FillRect(0, 0, 2, 2);  // over the backdrop
            g.ForeColor = kGreen;
            g.FillRect(15, 15, 100, 100);  // must stop at the canvas edge
        };

        Solid(NewControl<fw::Rectangle>("Under2"), {40, 60, 60, 20}, kBlack);
        auto clear = QuarterBackdrop();
        clear->Transparent = 1;
        seeThrough = NewControl<Canvas>("SeeThrough");
        seeThrough->SetBounds(40, 60, 20, 20);
        seeThrough->SetBackdrop(clear);
        seeThroughUnerased = NewControl<Canvas>("SeeThroughUnerased");
        seeThroughUnerased->SetBounds(70, 60, 20, 20);
        seeThroughUnerased->EraseBackground = false;
        seeThroughUnerased->SetBackdrop(clear);
    }
};

class RefreshWindow : public Window {
public:
    std::shared_ptr<fw::Rectangle> a, b;
    std::shared_ptr<Canvas> canvas;

    void Layout() override { SetSize(120, 80); }
    void CreateControls() override {
        a = Solid(NewControl<fw::Rectangle>("A"), {10, 10, 30, 30}, kRed);
        b = Solid(NewControl<fw::Rectangle>("B"), {30, 10, 30, 30}, kBlue);
        canvas = NewControl<Canvas>("Canvas");
        canvas->SetBounds(70, 50, 20, 20);
    }
    void Blacken() {
        Graphics().ForeColor = kBlack;
        Graphics().FillRect(0, 0, Width(), Height());
    }
};

std::vector<std::string> gLog;

class OrderWindow : public Window {
public:
    int activations = 0;
    void Layout() override {
        gLog.push_back("Layout");
        SetSize(80, 60);
    }
    void CreateControls() override {
        gLog.push_back("CreateControls");
        auto a = NewControl<fw::Rectangle>("A");
        a->Open = [] { gLog.push_back("Open A"); };
        auto t = NewControl<Timer>("T");
        t->Open = [] { gLog.push_back("Open T"); };
        auto c = NewControl<Canvas>("C");
        c->Open = [] { gLog.push_back("Open C"); };
    }
    void AddMenuHandlers() override {
        gLog.push_back("AddMenuHandlers");
        AddMenuHandler("Thing", [] { return true; });
    }
    void Event_Open() override { gLog.push_back(IsShown() ? "Open (shown)" : "Open"); }
    void Event_Activate() override {
        ++activations;
        gLog.push_back("Activate");
    }
};

class OtherWindow : public Window {
public:
    int activations = 0;
    void Event_Activate() override {
        ++activations;
        gLog.push_back("Other Activate");
    }
};

class HiddenAtFirstWindow : public Window {
public:
    int activations = 0;
    void Layout() override { InitiallyVisible = false; }
    void Event_Activate() override { ++activations; }
};

// Counts every event that could reach it, to show that none does once closed.
class CountingWindow : public Window {
public:
    int events = 0;
    std::shared_ptr<Canvas> pad;
    std::shared_ptr<Timer> timer;

    void CreateControls() override {
        pad = NewControl<Canvas>("Pad");
        pad->SetBounds(0, 0, 100, 100);
        pad->MouseDown = [this](int, int) { ++events; return true; };
        pad->MouseDrag = [this](int, int) { ++events; };
        pad->MouseUp = [this](int, int) { ++events; };
        pad->MouseEnter = [this] { ++events; };
        pad->MouseExit = [this] { ++events; };
        timer = NewControl<Timer>("Tick");
        timer->SetPeriod(10);
        timer->SetMode(2);
        timer->Action = [this] { ++events; };
    }
    void Event_Activate() override { ++events; }
    bool Event_MouseDown(int, int) override { return ++events, true; }
    void Event_MouseDrag(int, int) override { ++events; }
    void Event_MouseUp(int, int) override { ++events; }
};

}  // namespace

using WindowTest = FrameworkTest;

TEST_F(WindowTest, BackgroundIsWhiteUnlessABackColourIsSet) {
    auto plain = app->ImplicitWindow<RefreshWindow>();
    EXPECT_EQ(At(*plain, 0, 0), "#ffffff");
    EXPECT_EQ(At(*plain, 119, 79), "#ffffff");

    auto tinted = app->ImplicitWindow<TintedWindow>();
    EXPECT_EQ(tinted->Width(), 50);
    EXPECT_EQ(tinted->Height(), 40);
    EXPECT_EQ(At(*tinted, 0, 0), "#c86432");
    EXPECT_EQ(At(*tinted, 49, 39), "#c86432");
    tinted->Graphics().FillRect(0, 0, 50, 40);
    tinted->Refresh();
    EXPECT_EQ(At(*tinted, 25, 20), "#c86432");
}

TEST_F(WindowTest, ControlsStackInCreationOrderAndHiddenOnesAreNotPainted) {
    auto w = app->ImplicitWindow<StackWindow>();
    EXPECT_EQ(At(*w, 15, 15), Hex(kRed));
    EXPECT_EQ(At(*w, 35, 35), Hex(kBlue));  // B was created after A
    EXPECT_EQ(At(*w, 69, 69), Hex(kBlue));
    EXPECT_EQ(At(*w, 5, 5), "#ffffff");
    EXPECT_EQ(At(*w, 110, 20), "#ffffff");  // hidden

    // Repainting the lower control must not lift it above the upper one.
    w->a->Refresh();
    EXPECT_EQ(At(*w, 35, 35), Hex(kBlue));
    w->a->SetFillColor(kGreen);
    EXPECT_EQ(At(*w, 15, 15), Hex(kGreen));
    EXPECT_EQ(At(*w, 35, 35), Hex(kBlue));

    w->hidden->SetVisible(true);
    EXPECT_EQ(At(*w, 110, 20), Hex(kGreen));
    w->hidden->SetVisible(false);
    EXPECT_EQ(At(*w, 110, 20), "#ffffff");
    w->Refresh();
    EXPECT_EQ(At(*w, 110, 20), "#ffffff");
}

TEST_F(WindowTest, RectanglePaintsFillAndBevelledBorder) {
    auto w = app->ImplicitWindow<StackWindow>();
    // Bevel: 120..139 x 60..69, border 2.
    EXPECT_EQ(At(*w, 130, 60), Hex(kGreen));  // top
    EXPECT_EQ(At(*w, 130, 61), Hex(kGreen));
    EXPECT_EQ(At(*w, 130, 62), Hex(kYellow));
    EXPECT_EQ(At(*w, 120, 64), Hex(kGreen));  // left
    EXPECT_EQ(At(*w, 121, 64), Hex(kGreen));
    EXPECT_EQ(At(*w, 122, 64), Hex(kYellow));
    EXPECT_EQ(At(*w, 130, 69), Hex(kRed));  // bottom
    EXPECT_EQ(At(*w, 130, 68), Hex(kRed));
    EXPECT_EQ(At(*w, 130, 67), Hex(kYellow));
    EXPECT_EQ(At(*w, 139, 64), Hex(kRed));  // right
    EXPECT_EQ(At(*w, 138, 64), Hex(kRed));
    EXPECT_EQ(At(*w, 137, 64), Hex(kYellow));
    EXPECT_EQ(At(*w, 119, 64), "#ffffff");
    EXPECT_EQ(At(*w, 140, 64), "#ffffff");
    EXPECT_EQ(At(*w, 130, 59), "#ffffff");
    EXPECT_EQ(At(*w, 130, 70), "#ffffff");

    // Border width 0: fill only, right to the edges.
    for (auto [x, y] : {std::pair{150, 60}, {169, 60}, {150, 69}, {169, 69}, {160, 64}})
        EXPECT_EQ(At(*w, x, y), Hex(kYellow)) << x << "," << y;

    w->bevel->SetBorderWidth(0);
    EXPECT_EQ(At(*w, 130, 60), Hex(kYellow));
    EXPECT_EQ(At(*w, 139, 64), Hex(kYellow));
}

TEST_F(WindowTest, LinePaintsWithItsWidthHangingRightAndDown) {
    auto w = app->ImplicitWindow<StackWindow>();
    // 10,100 .. 50,100 with a 3-pixel pen: x 10..52, y 100..102.
    EXPECT_EQ(At(*w, 10, 100), Hex(kRed));
    EXPECT_EQ(At(*w, 30, 102), Hex(kRed));
    EXPECT_EQ(At(*w, 52, 102), Hex(kRed));
    EXPECT_EQ(At(*w, 53, 100), "#ffffff");
    EXPECT_EQ(At(*w, 30, 103), "#ffffff");
    EXPECT_EQ(At(*w, 9, 100), "#ffffff");
    EXPECT_EQ(At(*w, 30, 99), "#ffffff");

    // A thinner pen wipes what the wider one left.
    w->line->SetBorderWidth(1);
    EXPECT_EQ(At(*w, 50, 100), Hex(kRed));
    EXPECT_EQ(At(*w, 51, 100), "#ffffff");
    EXPECT_EQ(At(*w, 30, 101), "#ffffff");

    w->line->SetLineColor(kBlue);
    EXPECT_EQ(At(*w, 30, 100), Hex(kBlue));

    // Moving the line repaints where it was.
    w->line->SetPoints(10, 120, 10, 140);
    EXPECT_EQ(At(*w, 30, 100), "#ffffff");
    EXPECT_EQ(At(*w, 10, 120), Hex(kBlue));
    EXPECT_EQ(At(*w, 10, 140), Hex(kBlue));
    EXPECT_EQ(At(*w, 11, 130), "#ffffff");
}

TEST_F(WindowTest, CanvasErasesDrawsBackdropThenPaints) {
    auto w = app->ImplicitWindow<CanvasWindow>();
    const std::string back = "#c86432";
    // Erasing uses the window's background colour, over what lies beneath.
    EXPECT_EQ(At(*w, 15, 15), back);
    EXPECT_EQ(At(*w, 45, 15), "#000000");  // not erased: the black rectangle shows

    // Backdrop at the canvas corner; beyond its size the erased background.
    EXPECT_EQ(At(*w, 13, 63), Hex(kRed));
    EXPECT_EQ(At(*w, 17, 67), "#ffffff");
    EXPECT_EQ(At(*w, 22, 72), back);
    // Paint comes last and is clipped to the canvas.
    EXPECT_EQ(At(*w, 10, 60), Hex(kBlue));
    EXPECT_EQ(At(*w, 11, 61), Hex(kBlue));
    EXPECT_EQ(At(*w, 12, 62), Hex(kRed));
    EXPECT_EQ(At(*w, 25, 75), Hex(kGreen));
    EXPECT_EQ(At(*w, 29, 79), Hex(kGreen));
    EXPECT_EQ(At(*w, 30, 79), back);
    EXPECT_EQ(At(*w, 29, 80), back);

    // A transparent backdrop's white lets the erased background show ...
    EXPECT_EQ(At(*w, 41, 61), Hex(kRed));
    EXPECT_EQ(At(*w, 47, 67), back);
    // ... or, unerased, what lies beneath.
    EXPECT_EQ(At(*w, 71, 61), Hex(kRed));
    EXPECT_EQ(At(*w, 77, 67), "#000000");

    // Repainting part of the window repaints only that part of the canvas.
    w->Graphics().FillRect(0, 0, w->Width(), w->Height());
    w->RepaintRect(QRect(10, 60, 5, 5));
    EXPECT_EQ(At(*w, 10, 60), Hex(kBlue));
    EXPECT_EQ(At(*w, 14, 64), Hex(kRed));
    EXPECT_EQ(At(*w, 15, 65), "#000000");
    EXPECT_EQ(At(*w, 25, 75), "#000000");  // the Paint's green stays out

    w->Refresh();
    w->painted->SetVisible(false);
    EXPECT_EQ(At(*w, 10, 60), back);
    EXPECT_EQ(At(*w, 25, 75), back);
}

TEST_F(WindowTest, FaceDrawingStaysUntilItsAreaIsRepainted) {
    auto w = app->ImplicitWindow<RefreshWindow>();
    w->Blacken();
    EXPECT_EQ(At(*w, 15, 15), "#000000");  // over the controls too
    EXPECT_EQ(At(*w, 35, 15), "#000000");

    // A's rectangle is repainted with all that lies there; nothing else.
    w->a->Refresh();
    EXPECT_EQ(At(*w, 15, 15), Hex(kRed));
    EXPECT_EQ(At(*w, 39, 39), Hex(kBlue));  // B lies above A there
    EXPECT_EQ(At(*w, 40, 15), "#000000");   // B outside A's rectangle
    EXPECT_EQ(At(*w, 9, 15), "#000000");
    EXPECT_EQ(At(*w, 15, 40), "#000000");
    EXPECT_EQ(At(*w, 100, 5), "#000000");

    w->Refresh();
    EXPECT_EQ(At(*w, 40, 15), Hex(kBlue));
    EXPECT_EQ(At(*w, 9, 15), "#ffffff");
    EXPECT_EQ(At(*w, 100, 5), "#ffffff");
}

TEST_F(WindowTest, MovingResizingHidingAndShowingRepaintOldAndNewPlaces) {
    auto w = app->ImplicitWindow<RefreshWindow>();
    w->Blacken();
    w->a->SetLeft(70);  // now 70..99 x 10..39
    EXPECT_EQ(At(*w, 15, 15), "#ffffff");
    EXPECT_EQ(At(*w, 35, 15), Hex(kBlue));  // B uncovered where A was
    EXPECT_EQ(At(*w, 75, 15), Hex(kRed));
    EXPECT_EQ(At(*w, 65, 15), "#000000");
    EXPECT_EQ(At(*w, 100, 15), "#000000");

    w->Blacken();
    w->a->SetWidth(10);  // 70..79
    EXPECT_EQ(At(*w, 75, 15), Hex(kRed));
    EXPECT_EQ(At(*w, 85, 15), "#ffffff");
    EXPECT_EQ(At(*w, 65, 15), "#000000");

    w->a->SetHeight(40);  // grows down to 49
    EXPECT_EQ(At(*w, 75, 45), Hex(kRed));

    w->Blacken();
    w->a->SetVisible(false);
    EXPECT_EQ(At(*w, 75, 15), "#ffffff");
    EXPECT_EQ(At(*w, 65, 15), "#000000");
    w->Blacken();
    w->a->SetVisible(true);
    EXPECT_EQ(At(*w, 75, 15), Hex(kRed));
    EXPECT_EQ(At(*w, 65, 15), "#000000");

    // Moving a hidden control leaves the window alone.
    w->a->SetVisible(false);
    w->Blacken();
    w->a->SetLeft(5);
    EXPECT_EQ(At(*w, 10, 15), "#000000");
    EXPECT_EQ(At(*w, 75, 15), "#000000");
}

TEST_F(WindowTest, CanvasGraphicsDrawsRelativeToItsCornerClippedToIt) {
    auto w = app->ImplicitWindow<RefreshWindow>();
    auto& g = w->canvas->Graphics();  // canvas at 70,50 size 20x20
    g.ForeColor = kGreen;
    g.FillRect(-10, -10, 100, 100);
    EXPECT_EQ(At(*w, 70, 50), Hex(kGreen));
    EXPECT_EQ(At(*w, 89, 69), Hex(kGreen));
    EXPECT_EQ(At(*w, 69, 50), "#ffffff");
    EXPECT_EQ(At(*w, 70, 49), "#ffffff");
    EXPECT_EQ(At(*w, 90, 69), "#ffffff");
    EXPECT_EQ(At(*w, 89, 70), "#ffffff");

    g.ForeColor = kBlue;
    g.FillRect(3, 4, 1, 1);
    EXPECT_EQ(At(*w, 73, 54), Hex(kBlue));
    EXPECT_EQ(At(*w, 72, 54), Hex(kGreen));

    // Follows the canvas when it moves.
    w->canvas->SetBounds(0, 50, 20, 20);
    EXPECT_EQ(At(*w, 73, 54), "#ffffff");  // old place repainted
    g.FillRect(0, 0, 1, 1);
    EXPECT_EQ(At(*w, 0, 50), Hex(kBlue));

    w->canvas->Refresh();
    EXPECT_EQ(At(*w, 0, 50), "#ffffff");
}

TEST_F(WindowTest, BuildRunsInOrderAndActivatesAtFirstShowing) {
    gLog.clear();
    auto w = app->ImplicitWindow<OrderWindow>();
    const std::vector<std::string> expected = {"Layout",  "CreateControls", "AddMenuHandlers", "Open A",
                                               "Open T",  "Open C",         "Open",            "Activate"};
    EXPECT_EQ(gLog, expected);
    EXPECT_EQ(w->Width(), 80);
    EXPECT_TRUE(w->IsShown());
    EXPECT_TRUE(w->IsActive());
    EXPECT_EQ(app->FrontWindow(), w);
    EXPECT_NE(w->MenuHandler("Thing"), nullptr);
    EXPECT_EQ(w->Controls().size(), 2u);  // the timer has no face

    // Asking again hands back the same window, unbuilt again.
    gLog.clear();
    EXPECT_EQ(app->ImplicitWindow<OrderWindow>(), w);
    EXPECT_TRUE(gLog.empty());
}

TEST_F(WindowTest, ShowBringsAnOpenWindowToTheFrontWithoutRebuilding) {
    gLog.clear();
    auto a = app->ImplicitWindow<OrderWindow>();
    auto b = app->ImplicitWindow<OtherWindow>();
    EXPECT_EQ(app->FrontWindow(), b);
    EXPECT_TRUE(b->IsActive());
    EXPECT_FALSE(a->IsActive());

    gLog.clear();
    a->Show();
    EXPECT_EQ(app->FrontWindow(), a);
    EXPECT_TRUE(a->IsActive());
    EXPECT_FALSE(b->IsActive());
    EXPECT_EQ(gLog, std::vector<std::string>{"Activate"});
    ASSERT_EQ(app->Windows().size(), 2u);
    EXPECT_EQ(app->Windows()[0], b);  // back to front
    EXPECT_EQ(app->Windows()[1], a);

    // Showing the front window again changes nothing.
    a->Show();
    EXPECT_EQ(a->activations, 2);
}

TEST_F(WindowTest, ClosingTheFrontWindowActivatesTheOneBehindAndFreesTheClassSlot) {
    gLog.clear();
    auto behind = app->ImplicitWindow<OtherWindow>();
    auto front = app->ImplicitWindow<OrderWindow>();
    ASSERT_FALSE(behind->IsActive());
    const int behindActivations = behind->activations;

    front->Close();
    EXPECT_TRUE(front->IsClosed());
    EXPECT_EQ(app->FrontWindow(), behind);
    EXPECT_TRUE(behind->IsActive());
    EXPECT_EQ(behind->activations, behindActivations + 1);
    EXPECT_EQ(app->FindWindow<OrderWindow>(), nullptr);

    gLog.clear();
    auto rebuilt = app->ImplicitWindow<OrderWindow>();
    EXPECT_NE(rebuilt, front);
    ASSERT_FALSE(gLog.empty());
    EXPECT_EQ(gLog.front(), "Layout");
    EXPECT_EQ(app->FrontWindow(), rebuilt);

    // Closing a window in the back leaves the front one as it is.
    const int frontActivations = rebuilt->activations;
    behind->Close();
    EXPECT_EQ(app->FrontWindow(), rebuilt);
    EXPECT_EQ(rebuilt->activations, frontActivations);
    EXPECT_EQ(app->Windows().size(), 1u);
}

TEST_F(WindowTest, AWindowBuiltHiddenWaitsForShowToActivate) {
    auto shown = app->ImplicitWindow<OtherWindow>();
    auto w = app->ImplicitWindow<HiddenAtFirstWindow>();
    EXPECT_FALSE(w->IsShown());
    EXPECT_FALSE(w->IsActive());
    EXPECT_EQ(w->activations, 0);
    EXPECT_EQ(app->FrontWindow(), shown);
    w->Show();
    EXPECT_EQ(w->activations, 1);
    EXPECT_EQ(app->FrontWindow(), w);
}

TEST_F(WindowTest, AClosedWindowReceivesNoEventOfAnyKind) {
    auto w = app->ImplicitWindow<CountingWindow>();
    w->HandleMouseMove(50, 50);
    app->Clock().Advance(10);
    ASSERT_GT(w->events, 0);
    w->Close();
    const int before = w->events;

    w->HandleMouseMove(40, 40);
    w->HandleMouseDown(50, 50);
    w->HandleMouseMove(60, 60);
    w->HandleMouseUp(60, 60);
    w->HandleMouseLeave();
    w->HandleActivated();
    w->HandleCloseBox();
    w->Show();
    w->timer->SetMode(2);
    app->Clock().Advance(1000);
    EXPECT_EQ(w->events, before);
    EXPECT_FALSE(w->IsActive());
    EXPECT_EQ(app->FrontWindow(), nullptr);
    EXPECT_EQ(app->Clock().NextDue(), -1);
}

namespace {
// A window whose Open fails the first time it is built.
class FailingOpenWindow : public fw::Window {
public:
    static inline int builds = 0;
    void Event_Open() override {
        if (builds++ == 0) throw fw::NilObjectException("missing control");
    }
};
}  // namespace

TEST_F(WindowTest, AWindowWhoseBuildingFailsIsNotHandedOutLater) {
    FailingOpenWindow::builds = 0;
    EXPECT_THROW(app->ImplicitWindow<FailingOpenWindow>(), fw::NilObjectException);
    EXPECT_EQ(app->FindWindow<FailingOpenWindow>(), nullptr);
    auto second = app->ImplicitWindow<FailingOpenWindow>();
    EXPECT_FALSE(second->IsClosed());
    EXPECT_TRUE(second->IsShown());
    EXPECT_EQ(app->Windows().size(), 1u);
}

namespace {
class ArrowWindow : public Window {
public:
    std::shared_ptr<PopupArrow> right, down;
    void Layout() override { SetSize(60, 30); }
    void CreateControls() override {
        right = NewControl<PopupArrow>("Right");
        right->SetBounds(10, 10, 10, 10);
        down = NewControl<PopupArrow>("Down");
        down->SetBounds(30, 10, 10, 10);
        down->SetFacing(3);
    }
    int InkIn(const RectControl& c) const {
        int n = 0;
        for (int y = c.Top(); y < c.Top() + c.Height(); ++y)
            for (int x = c.Left(); x < c.Left() + c.Width(); ++x) n += At(*this, x, y) == Hex(kArrowInk);
        return n;
    }
};
}  // namespace

TEST_F(WindowTest, PopupArrowIsASolidTriangleFillingItsSquare) {
    auto w = app->ImplicitWindow<ArrowWindow>();
    const std::string ink = Hex(kArrowInk), white = "#ffffff";
    // Facing 0: base down the left edge, point at the middle of the right side.
    for (auto [x, y] : {std::pair{10, 10}, {10, 19}, {10, 14}, {18, 14}, {18, 15}, {12, 11}, {12, 18}})
        EXPECT_EQ(At(*w, x, y), ink) << x << "," << y;
    for (auto [x, y] : {std::pair{11, 10}, {19, 14}, {13, 11}, {11, 19}, {9, 14}, {10, 20}})
        EXPECT_EQ(At(*w, x, y), white) << x << "," << y;
    // Facing 3: base along the top edge, point at the middle of the bottom.
    for (auto [x, y] : {std::pair{30, 10}, {39, 10}, {34, 18}, {35, 18}, {31, 12}, {38, 12}})
        EXPECT_EQ(At(*w, x, y), ink) << x << "," << y;
    for (auto [x, y] : {std::pair{30, 11}, {34, 19}, {31, 13}, {39, 11}, {34, 9}})
        EXPECT_EQ(At(*w, x, y), white) << x << "," << y;
    // Rows (columns) of 1, 3, 5, 7, 9, 9, 7, 5, 3, 1: crisp, nothing in between.
    EXPECT_EQ(w->InkIn(*w->right), 50);
    EXPECT_EQ(w->InkIn(*w->down), 50);

    // Turning an arrow repaints it the other way round.
    w->right->SetFacing(3);
    EXPECT_EQ(At(*w, 10, 19), white);
    EXPECT_EQ(At(*w, 19, 10), ink);
    EXPECT_EQ(w->InkIn(*w->right), 50);
}

namespace {
// A rectangle that counts how often it is composed.
class CountedRectangle : public fw::Rectangle {
public:
    int composed = 0;
    void Compose(QImage& image, const QRect& clip) override {
        ++composed;
        fw::Rectangle::Compose(image, clip);
    }
};

// A press slides the block right pixel by pixel, draws on the face, moves it
// once more; a timer's action shows a canvas whose paint raises.
class SlidingWindow : public Window {
public:
    std::shared_ptr<Canvas> faulty;
    std::shared_ptr<CountedRectangle> block;
    std::shared_ptr<Timer> timer;

    void Layout() override { SetSize(200, 100); }
    void CreateControls() override {
        faulty = NewControl<Canvas>("Faulty");
        faulty->SetBounds(150, 10, 20, 20);
        faulty->SetVisible(false);
        faulty->Paint = [](fw::Graphics&) { throw NilObjectException(); };
        block = NewControl<CountedRectangle>("Block");
        Solid(block, {10, 10, 20, 20}, kRed);
        timer = NewControl<Timer>("Timer");
        timer->Action = [this] {
            faulty->SetVisible(true);
            block->SetTop(50);
        };
    }
    bool Event_MouseDown(int, int) override {
        for (int i = 0; i < 30; ++i) block->SetLeft(block->Left() + 1);
        Graphics().ForeColor = kBlue;
        Graphics().FillRect(12, 12, 4, 4);  // where the block was
        block->SetLeft(block->Left() + 1);
        return false;
    }
};

}  // namespace

TEST_F(WindowTest, AHandlersRepaintsAreComposedOnceAtItsEnd) {
    auto w = app->ImplicitWindow<SlidingWindow>();
    auto& block = *w->block;
    block.composed = 0;
    w->HandleMouseDown(150, 80);
    // The thirty moves are composed once, before the drawing that follows them.
    EXPECT_EQ(block.composed, 2);
    EXPECT_EQ(At(*w, 13, 13), Hex(kBlue));
    EXPECT_EQ(At(*w, 20, 20), "#ffffff");
    EXPECT_EQ(At(*w, 45, 20), Hex(kRed));

    // A paint that raises is reported; the other areas are still composed.
    w->timer->SetMode(1);
    app->Clock().Advance(1000);
    EXPECT_EQ(Unhandled(), 1);
    EXPECT_EQ(At(*w, 45, 55), Hex(kRed));
    EXPECT_EQ(At(*w, 45, 20), "#ffffff");

    // Outside a handler a move repaints the old and the new place at once.
    block.composed = 0;
    block.SetLeft(42);
    EXPECT_EQ(block.composed, 2);
}

namespace {
class CaptionWindow : public Window {
public:
    std::shared_ptr<PushButton> button;
    std::shared_ptr<CheckBox> box;
    void Layout() override { SetSize(200, 40); }
    void CreateControls() override {
        button = NewControl<PushButton>("Button");
        button->SetBounds(0, 0, 90, 30);
        button->SetCaption("Done");
        box = NewControl<CheckBox>("Box");
        box->SetBounds(100, 0, 90, 30);
        box->SetCaption("Dewlap");
    }
    // The darkest grey of a control's caption, 0 black to 255 white.
    int Darkest(const RectControl& c) const {
        int darkest = 255;
        for (int y = c.Top() + 8; y < c.Top() + 22; ++y)
            for (int x = c.Left() + 30; x < c.Left() + 60; ++x) darkest = std::min(darkest, qRed(Image().pixel(x, y)));
        return darkest;
    }
};
}  // namespace

TEST_F(WindowTest, DisabledButtonsAndBoxesShowGreyCaptions) {
    auto w = app->ImplicitWindow<CaptionWindow>();
    EXPECT_LT(w->Darkest(*w->button), 80);
    EXPECT_LT(w->Darkest(*w->box), 80);
    w->button->SetEnabled(false);
    w->box->SetEnabled(false);
    EXPECT_GT(w->Darkest(*w->button), 150);
    EXPECT_GT(w->Darkest(*w->box), 150);
}

namespace {
// A red stroke in an overlay over a rectangle and a canvas, which has a small
// rectangle and a label above it; a press moves the first rectangle and lets
// the canvas draw between repaints.
class OverlaidWindow : public Window {
public:
    std::shared_ptr<fw::Rectangle> block, cover;
    std::shared_ptr<Canvas> pad;
    std::shared_ptr<StaticText> label;
    PicturePtr overlay = NewPicture(120, 80, 32);

    void Layout() override { SetSize(120, 80); }
    void CreateControls() override {
        block = Solid(NewControl<fw::Rectangle>("Block"), {0, 0, 40, 40}, kBlue);
        pad = NewControl<Canvas>("Pad");
        pad->SetBounds(60, 0, 40, 40);
        cover = Solid(NewControl<fw::Rectangle>("Cover"), {85, 2, 14, 14}, kBlue);
        label = NewControl<StaticText>("Label");
        label->SetBounds(62, 24, 36, 14);
        label->SetText("Ab");
    }
    void Event_Open() override {
        overlay->Transparent = 1;
        overlay->Graphics().ForeColor = kRed;
        overlay->Graphics().FillRect(0, 20, 120, 2);
        SetOverlay(overlay);
    }
    bool Event_MouseDown(int, int) override {
        block->SetLeft(block->Left() + 5);
        pad->Graphics().ForeColor = kGreen;
        pad->Graphics().FillRect(0, 0, 40, 40);
        return false;
    }
};
}  // namespace

TEST_F(WindowTest, TheOverlayLiesOverEveryRepaintAndOverWhatACanvasDraws) {
    auto w = app->ImplicitWindow<OverlaidWindow>();
    EXPECT_EQ(At(*w, 10, 20), Hex(kRed));  // over the block
    EXPECT_EQ(At(*w, 10, 10), Hex(kBlue));  // its white lets the window show
    w->HandleMouseDown(110, 70);
    EXPECT_EQ(At(*w, 42, 21), Hex(kRed)) << "the block's new place";
    EXPECT_EQ(At(*w, 70, 21), Hex(kRed)) << "over the canvas's drawing, at the handler's end";
    EXPECT_EQ(At(*w, 70, 10), Hex(kGreen));
    w->pad->Graphics().FillRect(0, 0, 40, 40);  // outside any handler: at once
    EXPECT_EQ(At(*w, 70, 21), Hex(kRed));

    // Drawing on the window's own face lies over it, until a repaint there.
    w->Graphics().ForeColor = kWhite;
    w->Graphics().FillRect(0, 0, 120, 80);
    EXPECT_EQ(At(*w, 10, 20), "#ffffff");
    w->block->Refresh();
    EXPECT_EQ(At(*w, 10, 20), Hex(kRed));
    EXPECT_EQ(At(*w, 50, 20), "#ffffff");

    // What is wiped from the overlay goes at the next repaint; no overlay, no ink.
    w->overlay->Graphics().ForeColor = kWhite;
    w->overlay->Graphics().FillRect(0, 0, 60, 80);
    w->Refresh();
    EXPECT_EQ(At(*w, 10, 20), Hex(kBlue));
    EXPECT_EQ(At(*w, 80, 20), Hex(kRed));
    w->SetOverlay(nullptr);
    EXPECT_EQ(At(*w, 80, 20), "#ffffff");
}

// What a canvas draws between repaints lies at its place in the stacking:
// the controls above it keep every pixel, soft text edges too.
TEST_F(WindowTest, ACanvasDrawsUnderTheControlsAboveIt) {
    auto w = app->ImplicitWindow<OverlaidWindow>();
    const QImage before = w->Image();
    auto ink = NewPicture(40, 40, 32);
    ink->Graphics().ForeColor = kYellow;
    ink->Graphics().FillRect(0, 5, 40, 1);  // a row through the cover
    ink->Graphics().FillRect(0, 0, 2, 40);  // a column beside the label
    ink->Transparent = kWhiteTransparent;
    w->pad->Graphics().DrawPicture(ink, 0, 0);
    EXPECT_EQ(At(*w, 70, 5), Hex(kYellow));
    EXPECT_EQ(At(*w, 90, 5), Hex(kBlue)) << "the cover stays over it";
    EXPECT_EQ(At(*w, 60, 21), Hex(kRed)) << "so does the overlay";
    const QRect label = w->label->Bounds();
    EXPECT_EQ(w->Image().copy(label), before.copy(label));

    // It lasts until a repaint of its area.
    w->cover->Refresh();
    EXPECT_EQ(At(*w, 70, 5), Hex(kYellow));
    w->pad->Refresh();
    EXPECT_EQ(w->Image(), before);
    // A hidden canvas's drawing never shows.
    w->pad->SetVisible(false);
    w->pad->Graphics().DrawPicture(ink, 0, 0);
    w->pad->SetVisible(true);
    EXPECT_EQ(w->Image(), before);
}

TEST_F(WindowTest, AControlLaidInFrontOfOthersPaintsAndTakesPressesThere) {
    auto w = app->ImplicitWindow<StackWindow>();
    int pressedA = 0;
    w->a->MouseDown = [&](int, int) { return ++pressedA, false; };
    w->StackInFrontOf(*w->a, {w->b.get(), w->hidden.get()});
    EXPECT_EQ(At(*w, 35, 35), Hex(kRed));
    EXPECT_EQ(At(*w, 60, 60), Hex(kBlue)) << "only A's own area changes";
    w->HandleMouseDown(35, 35);
    EXPECT_EQ(pressedA, 1);
    EXPECT_EQ(w->StackPosition(*w->a), w->StackPosition(*w->hidden) + 1);
    EXPECT_LT(w->StackPosition(*w->a), w->StackPosition(*w->line)) << "the controls above stay above";

    // Already in front: nothing moves. The controls are the same ones.
    const auto before = w->Controls();
    w->StackInFrontOf(*w->a, {w->b.get()});
    EXPECT_EQ(w->Controls(), before);
    w->StackInFrontOf(*w->b, {w->a.get()});
    EXPECT_EQ(At(*w, 35, 35), Hex(kBlue));
    EXPECT_EQ(w->Controls().size(), before.size());
}
