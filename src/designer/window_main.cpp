#include "designer/window_main.h"

#include "framework/application.h"
#include "shell/globals.h"

std::shared_ptr<WindowMainClass> WindowMain() { return fw::ImplicitWindow<WindowMainClass>(); }

void WindowMain::Layout() { ApplyActivityLayout(*this, "Designer Lizards"); }

void WindowMain::CreateControls() {
    const fw::Color white = fw::RGB(255, 255, 255), black = fw::RGB(0, 0, 0);

    AddStage();
    TreeRect->Open = [this] { TreeRect_Open(); };

    for (int i = 0; i < 7; ++i) AddLizard(i);

    for (int i = 0; i < 7; ++i) {
        auto arrow = NewControl<Indexed<fw::PopupArrow>>("PopupArrowTraits", i);
        // The seventh arrow sits one pixel further right than the pattern.
        arrow->SetBounds(i < 6 ? 103 + 111 * i : 770, 127, 10, 10);
        arrow->SetFacing(0);
        BindArrow(arrow);
        PopupArrowTraits.push_back(arrow);
    }

    AddToolStrip();

    RectangleTraits = NewControl<fw::Rectangle>("RectangleTraits");
    RectangleTraits->SetBounds(9, 390, 110, 152);
    RectangleTraits->SetVisible(false);
    RectangleTraits->SetBorderWidth(1);
    RectangleTraits->SetTopLeftColor(black);
    RectangleTraits->SetBottomRightColor(black);
    RectangleTraits->SetFillColor(white);
    BindTraitPanel();

    for (int t : {7, 0, 1, 4, 5, 6, 3, 2}) {
        auto box = NewControl<Indexed<fw::CheckBox>>("CheckBoxTraits", t);
        box->SetBounds(106, 397 + 17 * t, 80, 20);
        box->SetVisible(false);
        box->SetValue(false);
        box->SetTextSize(10);
        box->SetCaption(kTraitCaptions[t]);
        BindCheckBox(box);
        CheckBoxTraits[t] = box;
    }
}

void WindowMain::TreeRect_Open() {
    for (auto& arrow : PopupArrowTraits) arrow->SetTop(arrow->Top() - 1);
}

bool WindowMain::FileReset_Action() {
    Globals::resetDesignerLizards();
    return false;
}
