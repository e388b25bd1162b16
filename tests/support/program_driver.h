// Drives the whole program without a display, through the entry points the
// Qt host uses: tests and benchmarks start it, click, drag, choose menu
// items and run the clock by hand with these.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/window.h"
#include "shell/app.h"
#include "shell/startup.h"

class ProgramDriver {
public:
    // Starts the program as the process entry does, headless and without an
    // event loop: the application's Open has run when it returns.
    static void StartHeadless() {
        StartUp(nullptr);
        App().Run();
    }

    // A click: the pointer moves there, presses, releases (window coordinates).
    // The move first, as with a real mouse, so that enter events come before the press.
    static void Click(fw::Window& w, int x, int y) {
        w.HandleMouseMove(x, y);
        w.HandleMouseDown(x, y);
        w.HandleMouseUp(x, y);
    }
    // A click in the middle of a control.
    static void ClickOn(const fw::RectControl& c) {
        Click(*c.Window(), c.Left() + c.Width() / 2, c.Top() + c.Height() / 2);
    }
    // A press at the first point, a drag through the others, a release at the last.
    static void Drag(fw::Window& w, std::initializer_list<std::pair<int, int>> points) {
        const auto* p = points.begin();
        w.HandleMouseMove(p->first, p->second);
        w.HandleMouseDown(p->first, p->second);
        for (++p; p != points.end(); ++p) w.HandleMouseMove(p->first, p->second);
        const auto& last = *(points.end() - 1);
        w.HandleMouseUp(last.first, last.second);
    }
    static bool ChooseMenuItem(const std::string& name) { return App().ChooseMenuItem(name); }
    // n periods of the generation clock (100 ms each) on the hand-driven clock.
    static void Ticks(int n) { App().Clock().Advance(100 * int64_t(n)); }
    template <class W>
    static std::shared_ptr<W> Find() { return App().FindWindow<W>(); }
};

// Drives one activity window, held in w.
template <class W>
class WindowDriver {
public:
    // Selector-relative x of each tool's cell, for a release there.
    enum Tool { kArrow = 10, kHand = 33, kMarker = 55 };
    void ChooseTool(int selectorX) {
        const auto& s = *w->CanvasSelectCursor;
        w->HandleMouseMove(s.Left() + 5, s.Top() + 10);
        w->HandleMouseDown(s.Left() + 5, s.Top() + 10);
        w->HandleMouseUp(s.Left() + selectorX, s.Top() + 10);
    }
    // Gives lizard k trait t through its trait panel.
    void Gain(int k, int t) {
        ProgramDriver::ClickOn(*w->PopupArrowTraits[k]);
        ProgramDriver::ClickOn(*w->CheckBoxTraits[t]);
    }
    // Evolving Lizards: the clock's button; a click on a lizard.
    void PressClock() { ProgramDriver::ClickOn(*w->PushButtonFastFwd); }
    void ClickLizard(int k) { ProgramDriver::ClickOn(*w->myLizardCan[k]); }

    std::shared_ptr<W> w;
};
