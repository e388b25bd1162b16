// Drawing costs that matter while the user drags: a marker segment drawn into
// the window and its backing picture, and a small sprite laid on a 16-bit
// picture.
#include <benchmark/benchmark.h>

#include "framework/graphics.h"

using namespace fw;

namespace {

void BM_MarkerSegmentOnTwoPictures(benchmark::State& state) {
    auto window = NewPicture(782, 550, 32);
    auto backing = NewPicture(782, 550, 32);
    for (auto* g : {&window->Graphics(), &backing->Graphics()}) {
        g->UseOldRenderer = true;
        g->PenWidth = g->PenHeight = 2;
        g->ForeColor = RGB(200, 0, 0);
    }
    int x = 100;
    for (auto _ : state) {
        // A 12-pixel diagonal-ish segment, moving so that no cache trick helps.
        window->Graphics().DrawLine(x, 200, x + 12, 205);
        backing->Graphics().DrawLine(x, 200, x + 12, 205);
        x = x >= 700 ? 100 : x + 1;
    }
    benchmark::DoNotOptimize(window->Image().constBits());
}
BENCHMARK(BM_MarkerSegmentOnTwoPictures);

void BM_TransparentSpriteOnto16Bit(benchmark::State& state) {
    auto sprite = NewPicture(110, 44, 32);
    sprite->Transparent = 1;
    // Roughly half the sprite coloured, the rest white background.
    Graphics& sg = sprite->Graphics();
    sg.ForeColor = RGB(40, 160, 60);
    sg.FillRect(10, 8, 80, 20);
    sg.ForeColor = RGB(90, 60, 20);
    sg.FillRect(30, 28, 12, 14);
    sg.FillRect(70, 28, 12, 14);
    auto target = NewPicture(110, 44, 16);
    for (auto _ : state) {
        target->Graphics().DrawPicture(sprite, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransparentSpriteOnto16Bit);

void BM_OpaquePictureCopy(benchmark::State& state) {
    auto src = NewPicture(782, 550, 32);
    auto dst = NewPicture(782, 550, 32);
    for (auto _ : state) {
        dst->Graphics().DrawPicture(src, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OpaquePictureCopy);

}  // namespace
