#include "windows/splash/window_splash.h"

#include "framework/application.h"
#include "windows/presentation.h"

std::shared_ptr<WindowSplashClass> WindowSplash() { return fw::ImplicitWindow<WindowSplashClass>(); }

void WindowSplash::Layout() { ApplyLayout("", 327, 371, fw::kDefaultPlacement, false); }

void WindowSplash::CreateControls() {
    LabelTitle = NewControl<fw::StaticText>("LabelTitle");
    SetUpLabel(*LabelTitle, 33, 238, 296, 33, 12, true, kTitleText);

    StaticText2 = NewControl<fw::StaticText>("StaticText2");
    SetUpLabel(*StaticText2, 70, 272, 210, 16, 10, false, kPublisherAddress);

    TimerClose = NewControl<fw::Timer>("TimerClose");
    TimerClose->Action = [this] { TimerClose_Action(); };
    TimerClose->SetPeriod(7000);
    TimerClose->SetMode(fw::kTimerOnce);

    CanvasVeridaneCover = NewControl<fw::Canvas>("CanvasVeridaneCover");
    SetUpCover(*CanvasVeridaneCover, 135, 43);
}

void WindowSplash::TimerClose_Action() { Close(); }
