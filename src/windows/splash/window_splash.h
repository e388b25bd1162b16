// The splash window: cover, title and address; closes after 7 seconds or at a click.
#pragma once

#include "windows/presentation.h"

class WindowSplash : public PresentationWindow {
public:
    std::shared_ptr<fw::StaticText> LabelTitle;
    std::shared_ptr<fw::StaticText> StaticText2;
    std::shared_ptr<fw::Timer> TimerClose;
    std::shared_ptr<fw::Canvas> CanvasVeridaneCover;

    void Layout() override;
    void CreateControls() override;
    void TimerClose_Action();
};

// The open splash window, or a newly built one.
using WindowSplashClass = WindowSplash;  // the class, where the accessor below hides its name
std::shared_ptr<WindowSplashClass> WindowSplash();
