// The about window: cover, title, address with "Go there", credits and "OK".
#pragma once

#include "windows/presentation.h"

class WindowAbout : public PresentationWindow {
public:
    std::shared_ptr<fw::StaticText> StaticTextAboutBlurb;
    std::shared_ptr<fw::StaticText> LabelTitle;
    std::shared_ptr<fw::StaticText> LabelWebAddress;
    std::shared_ptr<fw::PushButton> PushButtonClose;
    std::shared_ptr<fw::PushButton> PushButtonGoThere;
    std::shared_ptr<fw::Canvas> CanvasVeridaneCover;

    void Layout() override;
    void CreateControls() override;
    void PushButtonClose_Action();
    void PushButtonGoThere_Action();
};

// The open about window, or a newly built one.
using WindowAboutClass = WindowAbout;  // the class, where the accessor below hides its name
std::shared_ptr<WindowAboutClass> WindowAbout();

// The credits shown in the about window.
extern const char* const kAboutText;
