// Composing a full window of controls, as the busiest window of the program
// does on every whole-window refresh, and one thick line on a window face.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/application.h"
#include "framework/window.h"

namespace {

// 782x550 with 90 controls laid out like the program's crowded windows.
class CrowdedWindow : public fw::Window {
public:
    void Layout() override { SetSize(782, 550); }

    void CreateControls() override {
        auto stage = NewControl<fw::Rectangle>("Stage");  // 1
        stage->SetBounds(10, 10, 560, 380);
        stage->SetFillColor(fw::RGB(160, 160, 160));

        for (int i = 0; i < 7; ++i) {  // 7 canvases with 16-bit backdrops
            auto c = NewControl<fw::Canvas>("Slot" + std::to_string(i));
            c->SetBounds(10 + i * 112, 400, 110, 44);
            auto p = fw::NewPicture(110, 44, 16);
            p->Graphics().ForeColor = fw::RGB(40 * i, 90, 200 - 20 * i);
            p->Graphics().FillRect(5, 5, 100, 34);
            p->Graphics().ForeColor = fw::kBlack;
            p->Graphics().DrawLine(0, 43, 109, 0);
            c->SetBackdrop(p);
        }
        for (int i = 0; i < 7; ++i) {  // 7 popup arrows
            auto a = NewControl<fw::PopupArrow>("Arrow" + std::to_string(i));
            a->SetBounds(57 + i * 112, 446, 16, 16);
            a->SetFacing(3);
        }
        auto panel = NewControl<fw::Rectangle>("Panel");  // 1
        panel->SetBounds(580, 10, 192, 380);
        panel->SetFillColor(fw::RGB(230, 230, 230));
        panel->SetBorderWidth(2);
        panel->SetTopLeftColor(fw::kWhite);
        panel->SetBottomRightColor(fw::RGB(100, 100, 100));
        for (int i = 0; i < 16; ++i) {  // 16 check boxes
            auto b = NewControl<fw::CheckBox>("Check" + std::to_string(i));
            b->SetBounds(590, 18 + i * 22, 170, 20);
            b->SetCaption("Feature " + std::to_string(i));
            b->SetValue(i % 3 == 0);
        }
        for (int i = 0; i < 3; ++i) {  // 3 push buttons
            auto b = NewControl<fw::PushButton>("Button" + std::to_string(i));
            b->SetBounds(590 + i * 62, 500, 58, 24);
            b->SetCaption(i == 0 ? "OK" : i == 1 ? "Cancel" : "Help");
        }
        for (int i = 0; i < 35; ++i) {  // 35 lines: a tree over the stage
            auto l = NewControl<fw::Line>("Branch" + std::to_string(i));
            l->SetPoints(290, 380, 30 + i * 15, 40 + (i % 7) * 30);
            l->SetBorderWidth(1 + i % 3);
            l->SetLineColor(fw::RGB(20, 80 + i, 20));
        }
        for (int i = 0; i < 14; ++i) {  // 14 static texts
            auto t = NewControl<fw::StaticText>("Label" + std::to_string(i));
            t->SetBounds(10 + (i % 7) * 112, 466 + (i / 7) * 20, 110, 18);
            t->SetText("Species " + std::to_string(i));
            t->SetTextAlign(1);
        }
        for (int i = 0; i < 6; ++i) {  // 6 small canvases that paint themselves
            auto c = NewControl<fw::Canvas>("Swatch" + std::to_string(i));
            c->SetBounds(20 + i * 30, 20, 24, 24);
            c->Paint = [i](fw::Graphics& g) {
                g.ForeColor = fw::RGB(40 * i, 200, 100);
                g.FillRect(2, 2, 20, 20);
            };
        }
    }
};

void BM_ComposeCrowdedWindow(benchmark::State& state) {
    fw::Application app;
    auto w = app.ImplicitWindow<CrowdedWindow>();
    if (w->Controls().size() != 90) state.SkipWithError("expected 90 controls");
    for (auto _ : state) {
        w->Refresh();
        benchmark::DoNotOptimize(w->Image().constBits());
    }
}
BENCHMARK(BM_ComposeCrowdedWindow)->Unit(benchmark::kMicrosecond);

// One diagonal line with a 2x2 pen on the window face; arg 1 uses the old
// (pixel-exact) renderer, 0 the anti-aliased one.
void BM_DrawLine2x2(benchmark::State& state) {
    fw::Application app;
    auto w = app.ImplicitWindow<CrowdedWindow>();
    auto& g = w->Graphics();
    g.PenWidth = g.PenHeight = 2;
    g.UseOldRenderer = state.range(0) == 1;
    for (auto _ : state) {
        g.DrawLine(20, 30, 760, 520);
        benchmark::DoNotOptimize(w->Image().constBits());
    }
}
BENCHMARK(BM_DrawLine2x2)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
