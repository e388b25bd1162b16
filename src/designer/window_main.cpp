#include "designer/window_main.h"

#include "framework/application.h"
#include "shell/globals.h"

std::shared_ptr<WindowMainClass> WindowMain() { return fw::ImplicitWindow<WindowMainClass>(); }

void WindowMain::Layout() { ApplyActivityLayout(*this, "Designer Lizards"); }

void WindowMain::CreateControls() {
    AddStage();
    TreeRect->Open = [this] { TreeRect_Open(); };

    for (int i = 0; i < kLizardCount; ++i) AddLizard(i);
    // The seventh arrow sits one pixel further right than the pattern.
    for (int i = 0; i < kLizardCount; ++i) AddArrow(i, i < 6 ? 103 + 111 * i : 770, 127, true);

    AddToolStrip();

    AddTraitPanel({9, 390, 110, 152});
    for (int t : {7, 0, 1, 4, 5, 6, 3, 2}) AddTraitBox(t, {106, 397 + 17 * t, 80, 20});
}

void WindowMain::TreeRect_Open() {
    for (auto& arrow : PopupArrowTraits) arrow->SetTop(arrow->Top() - 1);
}

bool WindowMain::FileReset_Action() {
    Globals::resetDesignerLizards();
    return false;
}
