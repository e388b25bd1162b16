#include "evolving/window_tree.h"

#include "framework/application.h"
#include "framework/strings.h"
#include "shell/globals.h"

namespace {
using fw::kBlack;
// The clock runs to the tick that reads this generation, and one more.
constexpr int kLastGeneration = 1000;
// The living lizards rise one pixel every this many generations.
constexpr int kGenerationsPerPixel = 3;
constexpr fw::Color kMarkOrange = fw::RGB(0xFF, 0x92, 0x18);

// A trait mark's label is placed at its lizard's bottom edge, over the
// lizard's arrow; it lets presses through so that the arrow still works.
class MarkLabel : public fw::StaticText {
public:
    bool HitTest(int, int) const override { return false; }
};
}  // namespace

std::shared_ptr<WindowTreeClass> WindowTree() { return fw::ImplicitWindow<WindowTreeClass>(); }

// No hand tool here. A press on the window and a tool choice leave the trait
// panel open, and the panel keeps its height: the clock raises it with the lizards.
WindowTree::WindowTree()
    : ActivityWindow(
          {.cells = TwoTools(), .toolChoiceClosesPanel = false, .pressClosesPanel = false, .placesPanelTop = false}) {}

void WindowTree::Layout() { ApplyActivityLayout(*this, "Evolving Lizards"); }

void WindowTree::CreateControls() {
    CreateControls0();
    CreateControls1();
}

// The stage, the clock's timer, the lizards, the tree's lines, the arrows of
// lizards 1 to 6 and the first twelve trait marks.
void WindowTree::CreateControls0() {
    AddStage();

    TimerWait = NewControl<fw::Timer>("TimerWait");
    TimerWait->SetMode(fw::kTimerStopped);
    TimerWait->SetPeriod(100);
    TimerWait->Action = [this] { TimerWait_Action(); };

    MyLizardCan.resize(kLizardCount);
    for (int i = 0; i < kLizardCount; ++i) {
        // The ancestor stands on the stage's bottom edge; the others wait hidden.
        auto lizard = NewControl<Indexed<LizardCan>>("myLizardCan", i);
        if (i == 0) lizard->SetBounds(328, 344, 110, 44);
        else lizard->SetBounds(621, 6 + 42 * i, 110, 44);
        lizard->SetVisible(i == 0);
        myLizardCan[i] = lizard;
    }

    auto makeHLine = [this](int i, int y) {
        auto line = NewControl<Indexed<HLine>>("myHLine", i);
        line->SetPoints(231, y, 331, y);
        line->SetBorderWidth(2);
        line->SetLineColor(kBlack);
        line->SetVisible(false);
        myHLine[i] = line;
    };
    auto makeVLine = [this](int i) {
        auto line = NewControl<Indexed<VLine>>("myVLine", i);
        line->SetPoints(344 + 5 * i, 6, 344 + 5 * i, 22);
        line->SetBorderWidth(2);
        line->SetLineColor(kBlack);
        line->SetVisible(false);
        myVLine[i] = line;
    };
    makeHLine(0, 6);
    makeVLine(0);
    const int hLineY[] = {14, 23, 31, 40, 48, 57, 66};
    for (int i = 1; i <= 7; ++i) makeHLine(i, hLineY[i - 1]);
    for (int i = 1; i <= 14; ++i) makeVLine(i);

    // Arrow 0 comes later, with the ancestor's place.
    const int arrowTop[] = {75, 117, 159, 201, 243, 286};
    for (int i = 1; i <= 6; ++i) AddArrow(i, 737, arrowTop[i - 1], false);

    for (int i = 0; i < 12; ++i) AddTraitMark(i);
}

void WindowTree::AddTraitMark(int i) {
    auto mark = NewControl<Indexed<TraitLine>>("MyTraitLine", i);
    mark->SetPoints(374, 47 + 5 * i, 379, 47 + 5 * i);
    mark->SetBorderWidth(3);
    mark->SetLineColor(kMarkOrange);
    mark->SetVisible(false);
    MyTraitLine[i] = mark;
}

// The last four trait marks, the labels, the clock button and count, the
// ancestor's arrow, the tool strip, the root line and the trait panel.
void WindowTree::CreateControls1() {
    for (int i = 12; i < 16; ++i) AddTraitMark(i);

    const int labelTop[] = {36, 48, 61, 74, 86, 99, 112, 125, 137, 150, 163, 176, 188, 201, 214, 227};
    for (int i = 0; i < 16; ++i) {
        auto label = NewControl<Indexed<MarkLabel>>("StaticTextTrait", i);
        label->SetBounds(446, labelTop[i], 74, 19);
        label->SetText("Trait");
        label->SetTextColor(kMarkOrange);
        label->SetTextSize(10);
        label->SetTextAlign(fw::kAlignLeft);
        label->SetMultiline(false);
        label->SetVisible(false);
        StaticTextTrait[i] = label;
    }

    PushButtonFastFwd = NewControl<fw::PushButton>("PushButtonFastFwd");
    PushButtonFastFwd->SetBounds(682, 505, 69, 20);
    PushButtonFastFwd->SetCaption("Run");
    PushButtonFastFwd->SetTextSize(12);
    PushButtonFastFwd->MouseExit = [this] { resetcursor(); };
    PushButtonFastFwd->MouseEnter = [this] { ArrowCursorOver(); };
    PushButtonFastFwd->Action = [this] { PushButtonFastFwd_Action(); };

    StaticText1 = NewControl<fw::StaticText>("StaticText1");
    StaticText1->SetBounds(686, 479, 34, 20);
    StaticText1->SetText("Gen:");
    StaticText1->SetTextColor(kBlack);
    StaticText1->SetTextSize(12);
    StaticText1->SetTextAlign(fw::kAlignLeft);
    StaticText1->SetVisible(false);

    CountUp = NewControl<counter>("CountUp");
    CountUp->SetBounds(719, 478, 39, 22);
    CountUp->SetText("0");
    CountUp->SetTextAlign(fw::kAlignCenter);
    CountUp->SetTextColor(kBlack);
    CountUp->SetTextSize(12);
    CountUp->SetVisible(false);

    AddArrow(0, 428, 379, true);

    AddToolStrip(
        {.swatchLeft = 292, .paletteLeft = 339, .clearLeft = 483, .selectorLeft = 226, .selectorTop = 503, .selectorWidth = 45});

    myrootline = NewControl<RootLine>("myrootline");
    myrootline->SetPoints(385, 389, 385, 393);
    myrootline->SetBorderWidth(2);
    myrootline->SetLineColor(kBlack);
    myrootline->Active = false;
    myrootline->Open = [this] { myrootline_Open(); };

    AddTraitPanel({5, 392, 110, 152});
    for (int t : {0, 1, 2, 3, 5, 6, 7, 4}) AddTraitBox(t, {38, 400 + 17 * t, 80, 20});
}

void WindowTree::Event_Open() {
    ActivityWindow::Event_Open();
    LastPopActivated = 0;
    numHLines = 0;
    numVLines = 0;
    numTraitLines = 0;
    PopOrder.push_back(myLizardCan[0]);
    // Every arrow keeps its lizard's Left + kArrowAcross, Top + kArrowDown.
    PopupArrowTraits[0]->SetTop(PopupArrowTraits[0]->Top() - 1);
}

bool WindowTree::FileReset_Action() {
    Globals::ResetEvolvingLizards();
    return false;
}

// ---- Generation clock -----------------------------------------------------

void WindowTree::PushButtonFastFwd_Action() {
    if (PushButtonFastFwd->Caption() == "Run") {
        PushButtonFastFwd->SetCaption("Pause");
        TimerWait->SetMode(fw::kTimerRepeating);
    } else {
        PushButtonFastFwd->SetCaption("Run");
        TimerWait->SetMode(fw::kTimerStopped);
    }
    TraitPanelClose();
}

void WindowTree::TimerWait_Action() {
    const double g = fw::Val(CountUp->Text());
    if (g > kLastGeneration) {
        TimerWait->SetMode(fw::kTimerStopped);
        PushButtonFastFwd->SetCaption("Done");
        PushButtonFastFwd->SetEnabled(false);
        return;
    }
    // One pixel every third generation, read before the count moves on.
    const bool rise = fw::ToInt32(g) % kGenerationsPerPixel == 0;
    if (rise) {
        for (int i = 0; i < kLizardCount; ++i) {
            if (!myLizardCan[i]->Visible()) continue;
            myLizardCan[i]->SetTop(myLizardCan[i]->Top() - 1);
            PopupArrowTraits[i]->SetTop(PopupArrowTraits[i]->Top() - 1);
        }
        // The panel, shown or not, keeps its place under the lizards.
        RectangleTraits->SetTop(RectangleTraits->Top() - 1);
        for (auto& box : CheckBoxTraits) box->SetTop(box->Top() - 1);
    }
    CountUp->increment();
    // Branches to a single tip grow with it.
    for (int h = 1; h <= numHLines; ++h) {
        const HLine& split = *myHLine[h];
        if (split.LeftEnd.size() == 1) split.leftVLine->SetY1(BranchTop(*split.LeftEnd[0]));
        if (split.RightEnd.size() == 1) split.rightVLine->SetY1(BranchTop(*split.RightEnd[0]));
    }
    if (myrootline->Active) myrootline->SetY1(BranchTop(*myLizardCan[0]));
    else myrootline->Refresh(true);
}

// ---- Lineage splits --------------------------------------------------------

void WindowTree::myrootline_Open() { myrootline->Active = true; }

void WindowTree::Event_MouseUp(int x, int y) {
    if (PushButtonFastFwd->Caption() == "Pause") {
        // Only shown lizards take part: a hidden one still has its rectangle
        // at its waiting place, and must not join the tree. The last lizard is
        // shown only by the last split possible.
        for (int i = 0; i < kLizardCount - 1; ++i) {
            if (myLizardCan[i]->Visible() && myLizardCan[i]->Within(x, y)) {
                Split(i);
                break;
            }
        }
    }
    // Every release ends a marker stroke.
    oldX = -1;
    oldY = -1;
}

// Lizard p's lineage splits: the next hidden lizard is born right after it,
// with its traits, and the tree grows by a split line and two branches.
void WindowTree::Split(int p) {
    const std::shared_ptr<LizardCan> parent = myLizardCan[p];
    myrootline->Active = false;
    int j = 0;
    for (int k = 0; k < int(PopOrder.size()); ++k)
        if (PopOrder[k] == parent) {
            j = k;
            break;
        }
    if (LastPopActivated >= kLizardCount - 1) return;
    const int n = LastPopActivated + 1;
    const std::shared_ptr<LizardCan> daughter = myLizardCan[n];

    daughter->SetTop(parent->Top());
    PopupArrowTraits[n]->SetTop(daughter->Top() + kArrowDown);
    PopOrder.insert(PopOrder.begin() + j + 1, daughter);

    // Even spacing across the stage: w = (stage width + 110) / (lizards + 1).
    const int w = fw::ToInt32(double(TreeRect->Width() + 110) / double(n + 2));
    for (int k = 0; k < int(PopOrder.size()); ++k)
        PopOrder[k]->SetLeft(fw::ToInt32(double(TreeRect->Left()) + fw::Round(double((k + 1) * w)) - 107.0));
    for (int k = 0; k <= n; ++k) PopupArrowTraits[k]->SetLeft(myLizardCan[k]->Left() + kArrowAcross);

    TraitPanelClose();
    daughter->SetVisible(true);
    PopupArrowTraits[n]->SetVisible(true);
    daughter->Trait = parent->Trait;
    LizardReRender(n);

    LastPopActivated = n;
    ++numHLines;
    HLine& split = *myHLine[numHLines];
    split.LeftEnd = {parent};
    split.RightEnd = {daughter};
    split.TimeDepth =
        fw::ToInt32(double(TreeRect->Top() + TreeRect->Height()) - fw::Val(CountUp->Text()) / 3.0);
    split.leftVLine = myVLine[++numVLines];
    split.leftVLine->SetVisible(true);
    split.rightVLine = myVLine[++numVLines];
    split.rightVLine->SetVisible(true);
    split.SetVisible(true);

    // The daughter joins every older clade that holds her parent, right after it.
    for (int m = 1; m < numHLines; ++m) {
        HLine& older = *myHLine[m];
        if (int k = older.LeftContains(parent.get()); k >= 0) older.LeftEnd.insert(older.LeftEnd.begin() + k + 1, daughter);
        if (int k = older.RightContains(parent.get()); k >= 0)
            older.RightEnd.insert(older.RightEnd.begin() + k + 1, daughter);
    }
    for (int m = numHLines; m >= 1; --m) myHLine[m]->Reposition();
    Refresh(true);
}

// ---- Trait marks --------------------------------------------------------------

bool WindowTree::CheckBoxTraits_MouseUp(int t, int x, int y) {
    if (TargetLizCan <= -1) return false;
    const bool gains = !CheckBoxTraits[t]->Value();
    ActivityWindow::CheckBoxTraits_MouseUp(t, x, y);
    if (gains) {
        PlaceTraitMark(t, *myLizardCan[TargetLizCan]);
        // Each trait arises once per run.
        CheckBoxTraits[t]->SetEnabled(false);
    }
    return false;
}

// The next mark goes across the lizard's own branch at its bottom edge, or
// across the root line before the first split; its label beside it.
void WindowTree::PlaceTraitMark(int t, const LizardCan& lizard) {
    TraitLine& mark = *MyTraitLine[numTraitLines];
    fw::StaticText& label = *StaticTextTrait[numTraitLines];
    std::shared_ptr<VLine> branch;
    int x1 = myrootline->X1() - 3, x2 = myrootline->X2() + 2;
    if (numHLines > 0) {
        // The lizard's terminal branch: above the one end that holds it alone.
        for (int h = 0; h <= numHLines; ++h) {
            const HLine& split = *myHLine[h];
            if (split.LeftEnd.size() == 1 && split.LeftEnd[0].get() == &lizard) branch = split.leftVLine;
            else if (split.RightEnd.size() == 1 && split.RightEnd[0].get() == &lizard) branch = split.rightVLine;
        }
        const VLine& v = fw::Deref(branch, "terminal branch");
        x1 = v.X1() - 3;
        x2 = v.X2() + 2;
    }
    const int y = lizard.Top() + 44;
    mark.SetPoints(x1, y, x2, y);
    mark.SetVisible(true);
    if (branch) branch->TraitLines.push_back(MyTraitLine[numTraitLines]);
    label.SetLeft(mark.X2() + 3);
    label.SetTop(mark.Y1() - 9);
    label.SetText(CheckBoxTraits[t]->Caption());
    label.SetVisible(true);
    if (branch) branch->TraitLabels.push_back(StaticTextTrait[numTraitLines]);
    ++numTraitLines;
}
