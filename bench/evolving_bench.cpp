// The Evolving Lizards window at work: one rising tick with the whole tree
// on the stage, the last split with its full repaint, and a whole run.
#include <benchmark/benchmark.h>

#include "evolving/window_tree.h"
#include "framework/application.h"
#include "shell/app.h"
#include "shell/startup.h"
#include "support/program_driver.h"

namespace {

// The whole program, headless, with the Evolving Lizards window in front.
struct Program : ProgramDriver, WindowDriver<WindowTreeClass> {
    Program() {
        StartHeadless();
        Fresh();
    }
    ~Program() {
        w.reset();
        ReleaseGlobals();
    }
    // A newly built window, as "Reset" gives.
    void Fresh() {
        if (w) w->Close();
        ChooseMenuItem("WindowEvolvinglizards");
        w = Find<WindowTreeClass>();
    }
    // Splits the lizard at this place in the left-to-right order.
    void SplitAt(int place) { ClickOn(*w->PopOrder.at(place)); }
};

// Seven lizards with their arrows and the open panel rise by one pixel; with
// arg 1 over a tree sketched with the marker across the whole stage, which
// every repaint lays over what it repaints.
void BM_EvolvingRisingTick(benchmark::State& state) {
    Program p;
    if (state.range(0) == 1) {
        p.ChooseTool(Program::kMarker);
        for (int y = 20; y < 380; y += 40) {
            p.w->HandleMouseDown(5, y);
            for (int x = 5; x < 780; x += 25) p.w->HandleMouseMove(x, y + (x / 25 % 2) * 30);
            p.w->HandleMouseUp(780, y);
        }
    }
    p.PressClock();
    for (int s = 0; s < 6; ++s) {
        p.Ticks(30);
        p.SplitAt(s % 3);
    }
    p.Gain(3, 4);
    auto& w = *p.w;
    if (state.range(0) == 1 && w.Cache->InkBounds().width() < 700) state.SkipWithError("no sketch");
    if (w.LastPopActivated != 6 || !w.RectangleTraits->Visible()) state.SkipWithError("set-up failed");
    int risen = 0;
    for (auto _ : state) {
        w.CountUp->SetText("300");  // a count that rises
        p.Ticks(1);
        if (++risen == 200) {
            // Back down, out of the timing, so that the stage stays as it was.
            state.PauseTiming();
            for (int i = 0; i < 7; ++i) {
                w.myLizardCan[i]->SetTop(w.myLizardCan[i]->Top() + risen);
                w.PopupArrowTraits[i]->SetTop(w.PopupArrowTraits[i]->Top() + risen);
            }
            w.RectangleTraits->SetTop(w.RectangleTraits->Top() + risen);
            for (auto& box : w.CheckBoxTraits) box->SetTop(box->Top() + risen);
            risen = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_EvolvingRisingTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The sixth split, which shows the seventh lizard, lays out the whole tree
// and repaints the window.
void BM_EvolvingSeventhLizardSplit(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        state.PauseTiming();
        p.Fresh();
        p.PressClock();
        for (int s = 0; s < 5; ++s) {
            p.Ticks(30);
            p.SplitAt(s % 3);
        }
        p.Ticks(30);
        const auto& parent = *p.w->PopOrder.at(4);
        const int x = parent.Left() + 55, y = parent.Top() + 22;
        state.ResumeTiming();
        p.w->HandleMouseDown(x, y);
        p.w->HandleMouseUp(x, y);
    }
    if (p.w->LastPopActivated != 6) state.SkipWithError("no seventh lizard");
}
BENCHMARK(BM_EvolvingSeventhLizardSplit)->Unit(benchmark::kMicrosecond);

// A whole run of 1002 ticks on the hand-driven clock, with six splits and
// eight trait marks along the way.
void BM_EvolvingWholeRun(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        state.PauseTiming();
        p.Fresh();
        state.ResumeTiming();
        p.PressClock();
        p.Ticks(20);
        p.Gain(0, 0);
        for (int s = 0; s < 6; ++s) {
            p.Ticks(120);
            p.SplitAt(s % 2);
            p.Gain(s + 1, s + 1);
        }
        p.Ticks(50);
        p.Gain(2, 7);
        p.Ticks(1002);
    }
    if (p.w->PushButtonFastFwd->Caption() != "Done" || p.w->numTraitLines != 8 || p.w->numHLines != 6)
        state.SkipWithError("the run did not go as planned");
}
BENCHMARK(BM_EvolvingWholeRun)->Unit(benchmark::kMillisecond);

}  // namespace
