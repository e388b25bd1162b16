#include "windows/about/window_about.h"

#include "framework/application.h"
#include "windows/presentation.h"

const char* const kAboutText =
    "Cladeworks 1.0\r"
    "\r"
    "Give cartoon lizards traits, watch their lineages split and evolve, and "
    "draw the trees that relate them.\r"
    "\r"
    "Designed for evolution courses. Written by the Cladeworks team for "
    "Veridane. Lizard artwork and program code by the Cladeworks team.\r"
    "\r"
    "Copyright 2026 Veridane. You may copy and use this program freely for "
    "teaching and learning. It comes with no warranty of any kind.";

std::shared_ptr<WindowAboutClass> WindowAbout() { return fw::ImplicitWindow<WindowAboutClass>(); }

void WindowAbout::Layout() { ApplyLayout("About MyApplication", 441, 535, fw::kCentredPlacement, true); }

void WindowAbout::CreateControls() {
    StaticTextAboutBlurb = NewControl<fw::StaticText>("StaticTextAboutBlurb");
    SetUpLabel(*StaticTextAboutBlurb, 32, 299, 386, 212, 10, true, kAboutText);

    LabelTitle = NewControl<fw::StaticText>("LabelTitle");
    SetUpLabel(*LabelTitle, 87, 217, 253, 33, 12, true, kTitleText);

    LabelWebAddress = NewControl<fw::StaticText>("LabelWebAddress");
    SetUpLabel(*LabelWebAddress, 97, 258, 210, 16, 10, false, kPublisherAddress);

    PushButtonClose = NewControl<fw::PushButton>("PushButtonClose");
    PushButtonClose->SetBounds(361, 491, 60, 20);
    PushButtonClose->SetTextSize(12);
    PushButtonClose->SetCaption("OK");
    PushButtonClose->Action = [this] { PushButtonClose_Action(); };

    PushButtonGoThere = NewControl<fw::PushButton>("PushButtonGoThere");
    PushButtonGoThere->SetBounds(273, 256, 58, 18);
    PushButtonGoThere->SetTextSize(10);
    PushButtonGoThere->SetCaption("Go there");
    PushButtonGoThere->Action = [this] { PushButtonGoThere_Action(); };

    CanvasVeridaneCover = NewControl<fw::Canvas>("CanvasVeridaneCover");
    SetUpCover(*CanvasVeridaneCover, 190, 23);
}

void WindowAbout::PushButtonClose_Action() { Close(); }

void WindowAbout::PushButtonGoThere_Action() {
    // Close first: the browser comes up in front of a program with no about box.
    fw::Deref(::WindowAbout()).Close();
    fw::ShowURL(LabelWebAddress->Text());
}
