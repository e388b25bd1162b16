#include "designer/activity_window.h"

#include <algorithm>

#include "framework/graphics.h"
#include "resources/pictures.h"
#include "shell/app.h"
#include "shell/globals.h"

const char* const kTraitCaptions[kTraitCount] = {"Dewlap", "Head crest", "Back crest", "Tail crest",
                                       "Collar", "Side blotch", "Side stripes", "Tail spots"};

namespace {
constexpr fw::Color kSelectedCell = fw::RGB(150, 150, 150);
// Selector cell i: frame and highlight at (CellLeft(i), 1), 20 by 20; icon at (CellLeft(i) + 2, 3).
constexpr int kCellPitch = 22;
constexpr int CellLeft(int i) { return 1 + kCellPitch * i; }
fw::CursorPtr StandardArrow() { return fw::ArrowCursor(); }
}  // namespace

std::vector<ToolCell> ThreeTools() {
    return {{kArrowTool, IconArrow, StandardArrow}, {kHandTool, IconHand, HandCursor}, {kMarkerTool, IconMarker, MarkerCursor}};
}

std::vector<ToolCell> TwoTools() { return {{kArrowTool, IconArrow, StandardArrow}, {kMarkerTool, IconMarker, MarkerCursor}}; }

void ApplyActivityLayout(fw::Window& w, const std::string& title) {
    w.Title = title;
    w.SetSize(782, 550);
    w.Frame = fw::kDocumentFrame;
    w.Placement = fw::kCentredPlacement;
    w.CloseButton = true;
    w.Resizeable = false;
    w.MaximizeButton = false;
    w.MinimizeButton = false;
    w.HasBackColor = false;
}

// ---- Window events ------------------------------------------------------

void ActivityFrame::AddMenuHandlers() {
    AddMenuHandler("FileReset", [this] { return FileReset_Action(); });
}

void ActivityFrame::Event_EnableMenuItems() { fw::Deref(FileReset(), "Reset item").Enable(); }

void ActivityWindow::Event_Open() {
    TargetLizCan = -1;
    Cache = fw::NewPicture(Width(), Height(), 32);
    Cache->Graphics().UseOldRenderer = true;
    Cache->Transparent = fw::kWhiteTransparent;
    Cache->Graphics().PenWidth = 2;
    Cache->Graphics().PenHeight = 2;
    Graphics().UseOldRenderer = true;
    Graphics().PenWidth = 2;
    Graphics().PenHeight = 2;
    oldX = -1;
    oldY = -1;
    // Laid over every repaint, so that no repaint wipes a stroke from the screen.
    SetOverlay(Cache);
}

void ActivityWindow::Event_Activate() {
    // The repaint wipes strokes drawn on the face; the overlay brings them back.
    Refresh(true);
    Graphics().DrawPicture(Cache, 0, 0);
}

bool ActivityWindow::Event_MouseDown(int, int) {
    if (variant_.pressClosesPanel) TraitPanelClose();
    return true;
}

void ActivityWindow::Event_MouseDrag(int x, int y) {
    if (CanvasSelectCursor->CurrentCursor != kMarkerTool || !MarkerMayDraw()) return;
    Graphics().UseOldRenderer = true;
    fw::Deref(Cache).Graphics().UseOldRenderer = true;
    Graphics().ForeColor = CurrentColor();
    Cache->Graphics().ForeColor = CurrentColor();
    // A segment that ends inside the tool strip is left out; its start is not tested.
    if (oldX > -1 && oldY > -1 && !MyNoDrawCan->within(x, y)) {
        Graphics().DrawLine(oldX, oldY, x, y);
        Cache->Graphics().DrawLine(oldX, oldY, x, y);
    }
    oldX = x;
    oldY = y;
}

void ActivityWindow::Event_MouseUp(int, int) {
    oldX = -1;
    oldY = -1;
}

// ---- Trait panel --------------------------------------------------------

void ActivityWindow::TraitPanelClose() {
    RectangleTraits->SetVisible(false);
    for (auto& box : CheckBoxTraits) box->SetVisible(false);
    for (auto& arrow : PopupArrowTraits) arrow->SetFacing(fw::kFacingRight);
}

void ActivityWindow::PopupArrowTraits_MouseEnter() { ArrowCursorOver(); }
void ActivityWindow::PopupArrowTraits_MouseExit() { resetcursor(); }
bool ActivityWindow::PopupArrowTraits_MouseDown(int, int, int) { return true; }
void ActivityWindow::RectangleTraits_MouseEnter() { ArrowCursorOver(); }
void ActivityWindow::RectangleTraits_MouseExit() { resetcursor(); }
bool ActivityWindow::CheckBoxTraits_MouseDown(int, int, int) { return true; }

void ActivityWindow::PopupArrowTraits_MouseUp(int k, int, int) {
    const int inPlay = std::min(ArrowsInPlay(), int(PopupArrowTraits.size()));
    for (int i = 0; i < inPlay; ++i)
        if (i != k) PopupArrowTraits[i]->SetFacing(fw::kFacingRight);
    // Pointing down, the arrow tells that its lizard's panel is open.
    if (PopupArrowTraits[k]->Facing() == fw::kFacingDown) {
        PopupArrowTraits[k]->SetFacing(fw::kFacingRight);
        TargetLizCan = -1;
        RectangleTraits->SetVisible(false);
        for (auto& box : CheckBoxTraits) box->SetVisible(false);
        return;
    }
    // Open under lizard k; a panel open elsewhere moves here.
    PopupArrowTraits[k]->SetFacing(fw::kFacingDown);
    TargetLizCan = k;
    const LizardCan& lizard = *MyLizardCan[k];
    for (int t = 0; t < kTraitCount; ++t) CheckBoxTraits[t]->SetValue(lizard.Trait[t]);
    RectangleTraits->SetLeft(lizard.Left());
    for (auto& box : CheckBoxTraits) box->SetLeft(RectangleTraits->Left() + variant_.boxIndent);
    if (variant_.placesPanelTop) {
        RectangleTraits->SetTop(lizard.Top() + 48);
        CheckBoxTraits[0]->SetTop(RectangleTraits->Top() + 7);
        for (int t = 1; t < kTraitCount; ++t) CheckBoxTraits[t]->SetTop(CheckBoxTraits[t - 1]->Top() + variant_.boxStep);
    }
    RectangleTraits->SetVisible(true);
    for (auto& box : CheckBoxTraits) box->SetVisible(true);
}

bool ActivityWindow::CheckBoxTraits_MouseUp(int t, int, int) {
    if (TargetLizCan <= -1) return false;
    LizardCan& lizard = *MyLizardCan[TargetLizCan];
    // The box decides, not the flag; both change together.
    if (CheckBoxTraits[t]->Value()) {
        lizard.Trait[t] = false;
        CheckBoxTraits[t]->SetValue(false);
    } else {
        lizard.Trait[t] = true;
        CheckBoxTraits[t]->SetValue(true);
    }
    LizardReRender(TargetLizCan);
    return false;
}

void ActivityWindow::LizardReRender(int k) {
    LizardCan& lizard = *MyLizardCan[k];
    lizard.ClearCache();
    lizard.Cache->Graphics().DrawPicture(TheLizard(), 0, 0);
    DrawTraitOverlays(k);
    lizard.BlitCache();
    // The arrow in the lizard's corner is shown again over it.
    PopupArrowTraits[k]->Refresh(true);
}

void ActivityWindow::DrawTraitOverlays(int k) {
    LizardCan& lizard = *MyLizardCan[k];
    for (int u = 0; u < kTraitCount; ++u) {
        if (!lizard.Trait[u]) continue;
        // Only the picture's coloured pixels land: a higher trait lies over a lower one.
        auto p = fw::NewPicture(lizard.Width(), lizard.Height(), 32);
        p->Graphics().DrawPicture(Globals::TraitImage.at(u), 0, 0);
        p->Transparent = fw::kWhiteTransparent;
        fw::Deref(lizard.Cache, "lizard cache").Graphics().DrawPicture(p, 0, 0);
    }
}

// ---- Tool strip ---------------------------------------------------------

namespace {
fw::PicturePtr SelectorBackdrop(int w, int h, int cell) {
    auto p = fw::NewPicture(w, h, 32);
    p->Graphics().ForeColor = kSelectedCell;
    p->Graphics().FillRect(CellLeft(cell), 1, 20, 20);
    return p;
}
}  // namespace

void ActivityWindow::CanvasSelectCursor_Open() {
    CanvasSelectCursor->SetBackdrop(SelectorBackdrop(CanvasSelectCursor->Width(), CanvasSelectCursor->Height(), 0));
    CanvasSelectCursor->CurrentCursor = kArrowTool;
    SetMouseCursor(fw::ArrowCursor());
}

void ActivityWindow::CanvasSelectCursor_Paint(fw::Graphics& g) {
    auto q = fw::NewPicture(CanvasSelectCursor->Width(), CanvasSelectCursor->Height(), 32);
    for (int i = 0; i < int(variant_.cells.size()); ++i) q->Graphics().DrawRect(CellLeft(i), 1, 20, 20);
    for (int i = 0; i < int(variant_.cells.size()); ++i) q->Graphics().DrawPicture(variant_.cells[i].icon(), CellLeft(i) + 2, 3);
    // White lets the backdrop's grey highlight show behind the selected icon.
    q->Transparent = fw::kWhiteTransparent;
    g.DrawPicture(q, 0, 0);
}

bool ActivityWindow::CanvasSelectCursor_MouseDown(int, int) { return true; }

int ActivityWindow::CellAt(int x) const {
    // Only x counts, signed: left of the selector is the first cell, right of it the last.
    const int cell = x < kCellPitch ? 0 : x < 2 * kCellPitch ? 1 : 2;
    return std::min(cell, int(variant_.cells.size()) - 1);
}

void ActivityWindow::CanvasSelectCursor_MouseUp(int x, int) {
    const int cell = CellAt(x);
    SetMouseCursor(variant_.cells[cell].cursor());
    CanvasSelectCursor->CurrentCursor = variant_.cells[cell].tool;
    if (variant_.toolChoiceClosesPanel) TraitPanelClose();
    CanvasSelectCursor->SetBackdrop(SelectorBackdrop(CanvasSelectCursor->Width(), CanvasSelectCursor->Height(), cell));
}

void ActivityWindow::CanvasPalette_Open() {
    auto palette = CladeworksColors();
    auto p = fw::NewPicture(fw::Deref(palette, "palette").Width(), palette->Height(), 32);
    p->Graphics().DrawPicture(palette, 0, 0);
    CanvasPalette->SetBackdrop(p);
}

bool ActivityWindow::CanvasPalette_MouseDown(int x, int y) {
    const fw::Color c = fw::Deref(CanvasPalette->Backdrop(), "palette").Graphics().Pixel(x, y);
    fw::Picture& swatch = fw::Deref(CanvasCurrentColor->Backdrop(), "swatch");
    swatch.Graphics().ForeColor = c;
    swatch.Graphics().FillRect(0, 0, swatch.Width(), swatch.Height());
    CanvasCurrentColor->Refresh(true);
    return false;
}

void ActivityWindow::CanvasCurrentColor_Open() {
    const int w = CanvasCurrentColor->Width(), h = CanvasCurrentColor->Height();
    auto p = fw::NewPicture(w, h, 32);
    p->Graphics().UseOldRenderer = true;
    p->Graphics().DrawPicture(CladeworksColors(), 0, 0);
    p->Graphics().ForeColor = p->Graphics().Pixel(5, 5);
    p->Graphics().FillRect(0, 0, w, h);
    CanvasCurrentColor->SetBackdrop(p);
}

fw::Color ActivityWindow::CurrentColor() const {
    return fw::Deref(CanvasCurrentColor->Backdrop(), "swatch").Graphics().Pixel(5, 5);
}

void ActivityWindow::PushButtonClear_Action() {
    auto blank = fw::NewPicture(Width(), Height(), 32);
    Graphics().DrawPicture(blank, 0, 0);
    fw::Deref(Cache).Graphics().DrawPicture(blank, 0, 0);
    Refresh(true);
}

void ActivityWindow::ArrowCursorOver() { SetMouseCursor(fw::ArrowCursor()); }

void ActivityWindow::resetcursor() {
    // The selected tool's cursor; a tool this window does not offer gives the arrow.
    const std::string& tool = CanvasSelectCursor->CurrentCursor;
    for (const ToolCell& cell : variant_.cells)
        if (tool == cell.tool) {
            SetMouseCursor(cell.cursor());
            return;
        }
    SetMouseCursor(fw::ArrowCursor());
}

// ---- Lizard drag --------------------------------------------------------

bool ActivityWindow::MyLizardCan_MouseDown(int k, int x, int y) {
    if (CanvasSelectCursor->CurrentCursor != kHandTool) return false;
    MyLizardCan[k]->SetMouseCursor(HandCursor());
    oldX = x;
    oldY = y;
    if (variant_.lizardPressClosesPanel) TraitPanelClose();
    // The lizard in hand passes over the others, and stays on top where it is dropped.
    BringLizardToFront(k);
    return true;
}

void ActivityWindow::BringLizardToFront(int k) {
    std::vector<const fw::RectControl*> others;
    for (int i = 0; i < int(MyLizardCan.size()); ++i)
        if (i != k) others.insert(others.end(), {MyLizardCan[i].get(), PopupArrowTraits[i].get()});
    StackInFrontOf(*MyLizardCan[k], others);
    StackInFrontOf(*PopupArrowTraits[k], {MyLizardCan[k].get()});
}

QPoint ActivityWindow::InReach(const fw::RectControl& c, int left, int top) const {
    const int across = std::min(kGrip, c.Width()), down = std::min(kGrip, c.Height());
    return {std::clamp(left, across - c.Width(), Width() - across), std::clamp(top, down - c.Height(), Height() - down)};
}

QPoint ActivityWindow::ClearOfStrip(const fw::RectControl& c, QPoint at) const {
    const QRect strip = MyNoDrawCan->Bounds();
    const int left = at.x(), right = at.x() + c.Width();  // right: one past the last column
    const int besideLeft = std::min(right, strip.left()) - std::max(left, 0);
    const int besideRight = std::min(right, Width()) - std::max(left, strip.right() + 1);
    if (std::max(besideLeft, besideRight) >= kGrip) return at;
    return {at.x(), std::min(at.y(), strip.top() - kGrip)};
}

void ActivityWindow::MyLizardCan_MouseDrag(int k, int x, int y) {
    fw::RectControl& lizard = *MyLizardCan[k];
    fw::RectControl& arrow = *PopupArrowTraits[k];
    const int stageBottom = TreeRect->Top() + TreeRect->Height();
    if (lizard.Top() + lizard.Height() < stageBottom || y - oldY < 0) {
        // The grab point follows the pointer, as far as the lizard stays in
        // reach and in sight.
        const QPoint to = ClearOfStrip(lizard, InReach(lizard, lizard.Left() + x - oldX, lizard.Top() + y - oldY));
        const int dx = to.x() - lizard.Left(), dy = to.y() - lizard.Top();
        lizard.SetLeft(to.x());
        lizard.SetTop(to.y());
        arrow.SetLeft(arrow.Left() + dx);
        arrow.SetTop(arrow.Top() + dy);
    } else {
        // Held on the stage's bottom edge while the pointer is not above the grab point.
        lizard.SetTop(stageBottom - lizard.Height());
        arrow.SetTop(lizard.Top() + kArrowDown);
    }
}

void ActivityWindow::MyLizardCan_MouseUp(int k, int, int) {
    oldX = -1;
    oldY = -1;
    MyLizardCan[k]->SetMouseCursor(nullptr);
}

// ---- Shared layout ----------------------------------------------------------

void ActivityWindow::AddStage() {
    TreeRect = NewControl<fw::Rectangle>("TreeRect");
    TreeRect->SetBounds(0, 0, 784, 388);
    TreeRect->SetFillColor(fw::RGB(0xEE, 0xEE, 0xEE));
    TreeRect->SetBorderWidth(0);
    TreeRect->SetTopLeftColor(fw::RGB(255, 255, 255));
    TreeRect->SetBottomRightColor(fw::RGB(255, 255, 255));
}

void ActivityWindow::AddLizard(int i) {
    auto lizard = NewControl<Indexed<LizardCan>>("MyLizardCan", i);
    lizard->SetBounds(3 + 111 * i, 92, 110, 44);
    lizard->EraseBackground = true;
    BindLizard(lizard);
    MyLizardCan.push_back(lizard);
}

void ActivityWindow::AddToolStrip(const ToolStripPlaces& at) {
    const fw::Color white = fw::RGB(255, 255, 255), black = fw::RGB(0, 0, 0);

    MyNoDrawCan = NewControl<NoDrawCan>("MyNoDrawCan");
    MyNoDrawCan->SetBounds(205, 498, 369, 33);
    MyNoDrawCan->EraseBackground = true;

    Rectangle1 = NewControl<fw::Rectangle>("Rectangle1");
    Rectangle1->SetBounds(at.swatchLeft - 1, 507, 42, 16);
    Rectangle1->SetBorderWidth(1);
    Rectangle1->SetTopLeftColor(black);
    Rectangle1->SetBottomRightColor(black);
    Rectangle1->SetFillColor(white);

    CanvasCurrentColor = NewControl<fw::Canvas>("CanvasCurrentColor");
    CanvasCurrentColor->SetBounds(at.swatchLeft, 508, 40, 14);

    CanvasPalette = NewControl<fw::Canvas>("CanvasPalette");
    CanvasPalette->SetBounds(at.paletteLeft, 507, 121, 16);

    PushButtonClear = NewControl<fw::PushButton>("PushButtonClear");
    PushButtonClear->SetBounds(at.clearLeft, 505, 69, 20);
    PushButtonClear->SetCaption("Clear");
    PushButtonClear->SetTextSize(12);

    CanvasSelectCursor = NewControl<CursCan>("CanvasSelectCursor");
    CanvasSelectCursor->SetBounds(at.selectorLeft, at.selectorTop, at.selectorWidth, 23);

    BindToolStrip();
}

void ActivityWindow::AddArrow(int i, int left, int top, bool visible) {
    auto arrow = NewControl<Indexed<fw::PopupArrow>>("PopupArrowTraits", i);
    arrow->SetBounds(left, top, 10, 10);
    arrow->SetFacing(fw::kFacingRight);
    arrow->SetVisible(visible);
    BindArrow(arrow);
    if (int(PopupArrowTraits.size()) <= i) PopupArrowTraits.resize(i + 1);
    PopupArrowTraits[i] = arrow;
}

void ActivityWindow::AddTraitPanel(const QRect& bounds) {
    RectangleTraits = NewControl<fw::Rectangle>("RectangleTraits");
    RectangleTraits->SetBounds(bounds);
    RectangleTraits->SetVisible(false);
    RectangleTraits->SetBorderWidth(1);
    RectangleTraits->SetTopLeftColor(fw::RGB(0, 0, 0));
    RectangleTraits->SetBottomRightColor(fw::RGB(0, 0, 0));
    RectangleTraits->SetFillColor(fw::RGB(255, 255, 255));
    BindTraitPanel();
}

void ActivityWindow::AddTraitBox(int t, const QRect& bounds) {
    auto box = NewControl<Indexed<fw::CheckBox>>("CheckBoxTraits", t);
    box->SetBounds(bounds);
    box->SetVisible(false);
    box->SetValue(false);
    box->SetTextSize(10);
    box->SetCaption(kTraitCaptions[t]);
    BindCheckBox(box);
    CheckBoxTraits[t] = box;
}

// ---- Binding --------------------------------------------------------------

void ActivityWindow::BindLizard(const std::shared_ptr<LizardCan>& lizard) {
    LizardCan* c = lizard.get();
    lizard->MouseDown = [this, c](int x, int y) { return MyLizardCan_MouseDown(c->Index(), x, y); };
    lizard->MouseDrag = [this, c](int x, int y) { MyLizardCan_MouseDrag(c->Index(), x, y); };
    lizard->MouseUp = [this, c](int x, int y) { MyLizardCan_MouseUp(c->Index(), x, y); };
}

void ActivityWindow::BindArrow(const std::shared_ptr<fw::PopupArrow>& arrow) {
    fw::PopupArrow* c = arrow.get();
    arrow->MouseEnter = [this] { PopupArrowTraits_MouseEnter(); };
    arrow->MouseExit = [this] { PopupArrowTraits_MouseExit(); };
    arrow->MouseDown = [this, c](int x, int y) { return PopupArrowTraits_MouseDown(c->Index(), x, y); };
    arrow->MouseUp = [this, c](int x, int y) { PopupArrowTraits_MouseUp(c->Index(), x, y); };
}

void ActivityWindow::BindTraitPanel() {
    RectangleTraits->MouseEnter = [this] { RectangleTraits_MouseEnter(); };
    RectangleTraits->MouseExit = [this] { RectangleTraits_MouseExit(); };
}

void ActivityWindow::BindCheckBox(const std::shared_ptr<fw::CheckBox>& box) {
    fw::CheckBox* c = box.get();
    box->MouseDown = [this, c](int x, int y) { return CheckBoxTraits_MouseDown(c->Index(), x, y); };
    box->MouseUp = [this, c](int x, int y) { CheckBoxTraits_MouseUp(c->Index(), x, y); };
}

void ActivityWindow::BindToolStrip() {
    CanvasCurrentColor->Open = [this] { CanvasCurrentColor_Open(); };
    CanvasPalette->MouseEnter = [this] { ArrowCursorOver(); };
    CanvasPalette->MouseExit = [this] { resetcursor(); };
    CanvasPalette->MouseDown = [this](int x, int y) { return CanvasPalette_MouseDown(x, y); };
    CanvasPalette->Open = [this] { CanvasPalette_Open(); };
    PushButtonClear->MouseExit = [this] { resetcursor(); };
    PushButtonClear->MouseEnter = [this] { ArrowCursorOver(); };
    PushButtonClear->Action = [this] { PushButtonClear_Action(); };
    CanvasSelectCursor->MouseExit = [this] { resetcursor(); };
    CanvasSelectCursor->MouseEnter = [this] { ArrowCursorOver(); };
    CanvasSelectCursor->MouseUp = [this](int x, int y) { CanvasSelectCursor_MouseUp(x, y); };
    CanvasSelectCursor->MouseDown = [this](int x, int y) { return CanvasSelectCursor_MouseDown(x, y); };
    CanvasSelectCursor->Open = [this] { CanvasSelectCursor_Open(); };
    CanvasSelectCursor->Paint = [this](fw::Graphics& g) { CanvasSelectCursor_Paint(g); };
}
