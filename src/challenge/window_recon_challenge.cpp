#include "challenge/window_recon_challenge.h"

#include <algorithm>
#include <initializer_list>

#include "framework/application.h"
#include "resources/pictures.h"
#include "shell/globals.h"

std::shared_ptr<WindowReconChallengeClass> WindowReconChallenge() { return fw::ImplicitWindow<WindowReconChallengeClass>(); }

namespace {

// The traits each lizard shows, by trait index: the puzzle the student solves.
const std::initializer_list<int> kFixedTraits[kLizardCount] = {
    {0, 2}, {0, 3}, {0, 1, 2, 5}, {0, 1, 2, 5, 6, 7}, {0, 3, 4}, {0, 1, 2, 5, 7}, {0, 1, 2},
};

struct LabelPlace {
    const char* text;
    int left, width;
};
const LabelPlace kLabels[kTraitCount] = {
    {"- Dewlap", 32, 46},     {"- Head crest", 117, 65},  {"- Back crest", 213, 65},   {"- Tail crest", 312, 59},
    {"- Collar", 409, 46},    {"- Side blotch", 485, 65}, {"- Side stripes", 587, 65}, {"- Tail spots", 689, 58},
};
const int kBoxWidths[kTraitCount] = {60, 74, 69, 69, 69, 74, 79, 69};

}  // namespace

// The panel's arrows are never shown here, so the lizards keep their fixed
// traits; only the tool choice and the lizard press leave the panel alone.
WindowReconChallenge::WindowReconChallenge()
    : ActivityWindow({.cells = ThreeTools(),
                      .toolChoiceClosesPanel = false,
                      .lizardPressClosesPanel = false,
                      .boxIndent = 15,
                      .boxStep = 16}) {}

void WindowReconChallenge::Layout() { ApplyActivityLayout(*this, "Challenge"); }

void WindowReconChallenge::CreateControls() {
    AddStage();

    // Each arrow right after its lizard, over its lower right corner, hidden.
    for (int i = 0; i < kLizardCount; ++i) {
        AddLizard(i);
        AddArrow(i, i < 6 ? 103 + 111 * i : 770, 126, false);
    }

    AddTraitPanel({3, 138, 110, 146});
    for (int t = 0; t < kTraitCount; ++t) AddTraitBox(t, {18, 147 + 16 * t, kBoxWidths[t], 20});

    AddToolStrip();

    for (int k = 0; k < kTraitCount; ++k) {
        auto label = NewControl<Indexed<fw::StaticText>>("TraitLabel", k);
        label->SetBounds(kLabels[k].left, 394, kLabels[k].width, 20);
        label->SetText(kLabels[k].text);
        label->SetTextColor(fw::RGB(0xFF, 0x75, 0x18));
        label->SetTextSize(10);
        label->SetTextAlign(fw::kAlignLeft);
        label->SetMultiline(false);
        label->SetBold(false);
        fw::StaticText* c = label.get();
        label->MouseDown = [this, c](int x, int y) { return TraitLabel_MouseDown(c->Index(), x, y); };
        label->MouseDrag = [this, c](int x, int y) { TraitLabel_MouseDrag(c->Index(), x, y); };
        label->MouseUp = [this, c](int x, int y) { TraitLabel_MouseUp(c->Index(), x, y); };
        TraitLabel.push_back(label);
    }
}

void WindowReconChallenge::Event_Open() {
    ActivityWindow::Event_Open();
    for (int i : {1, 4, 0, 6, 2, 5, 3})
        for (int t : kFixedTraits[i]) MyLizardCan[i]->Trait[t] = true;
    // The lizards' own Open has already drawn the body into each cache, and
    // the window's first paint shows it: only the overlays are missing.
    for (int i = 0; i < kLizardCount; ++i) DrawTraitOverlays(i);
}

void WindowReconChallenge::PushButtonClear_Action() {
    Graphics().DrawPicture(fw::NewPicture(Width(), Height(), 32), 0, 0);
    fw::Picture& overlay = fw::Deref(Cache, "marker overlay");
    const fw::Color pen = overlay.Graphics().ForeColor;
    overlay.Transparent = fw::kOpaque;
    overlay.Graphics().ForeColor = fw::RGB(255, 255, 255);
    overlay.Graphics().FillRect(0, 0, overlay.Width(), overlay.Height());
    overlay.Transparent = fw::kWhiteTransparent;
    overlay.Graphics().ForeColor = pen;
    Refresh(true);
}

bool WindowReconChallenge::TraitLabel_MouseDown(int k, int x, int y) {
    if (CanvasSelectCursor->CurrentCursor != kHandTool) return false;
    TraitLabel[k]->SetMouseCursor(HandCursor());
    oldX = x;
    oldY = y;
    // In front of the other labels while carried, and where it is dropped.
    std::vector<const fw::RectControl*> others(TraitLabel.size());
    std::transform(TraitLabel.begin(), TraitLabel.end(), others.begin(), [](auto& l) { return l.get(); });
    StackInFrontOf(*TraitLabel[k], others);
    return true;
}

void WindowReconChallenge::TraitLabel_MouseDrag(int k, int x, int y) {
    // The grab point stays put, so the point pressed stays under the pointer
    // as far as the label stays in reach.
    fw::RectControl& label = *TraitLabel[k];
    const QPoint to = InReach(label, label.Left() + x - oldX, label.Top() + y - oldY);
    label.SetLeft(to.x());
    label.SetTop(to.y());
}

void WindowReconChallenge::TraitLabel_MouseUp(int k, int, int) {
    oldX = -1;
    oldY = -1;
    TraitLabel[k]->SetMouseCursor(nullptr);
    // The label's travel repainted the window behind it, wiping strokes there.
    Graphics().DrawPicture(Cache, 0, 0);
}

bool WindowReconChallenge::FileReset_Action() {
    Globals::ResetReconChallenge();
    return false;
}
