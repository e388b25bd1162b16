#include "canvas/canvases.h"

#include "framework/graphics.h"
#include "resources/pictures.h"

void CacheCan::ClearCache() {
    fw::Picture& cache = fw::Deref(Cache, "lizard cache");
    cache.Graphics().ForeColor = fw::RGB(255, 255, 255);
    cache.Graphics().FillRect(0, 0, cache.Width(), cache.Height());
}

void CacheCan::BlitCache() {
    fw::Deref(Cache, "lizard cache");
    Graphics().DrawPicture(Cache, 0, 0);
}

void LizardCan::Event_Paint(fw::Graphics&) { BlitCache(); }

void LizardCan::Event_Open() {
    // 16 bits deep, unlike every other picture the program makes.
    Cache = fw::NewPicture(Width(), Height(), 16);
    fw::Deref(Cache, "lizard cache").Graphics().DrawPicture(TheLizard(), 0, 0);
    Trait.fill(false);
}

bool StrictlyWithin(const fw::RectControl& c, int x, int y) {
    return c.Left() < x && x < c.Left() + c.Width() && c.Top() < y && y < c.Top() + c.Height();
}

bool LizardCan::Within(int x, int y) const { return StrictlyWithin(*this, x, y); }

bool NoDrawCan::within(int x, int y) const { return StrictlyWithin(*this, x, y); }
