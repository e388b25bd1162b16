#include "evolving/tree/counter.h"

#include "framework/strings.h"

void counter::Event_Open() { zero(); }

// The count goes through a floating-point value and back; Str gives a whole
// number's digits only, so the text reads back with Val.
void counter::increment() {
    SetText(fw::Str(fw::Val(Text()) + 1.0));
    Refresh(true);
}

void counter::decrement() {
    SetText(fw::Str(fw::Val(Text()) - 1.0));
    Refresh(true);
}

void counter::set(int32_t n) {
    SetText(fw::Str(double(n)));
    Refresh(true);
}

void counter::zero() {
    set(0);
    Refresh(true);
}
