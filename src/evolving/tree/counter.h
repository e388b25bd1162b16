// A number label: the Evolving Lizards generation count lives in its text.
#pragma once

#include <cstdint>

#include "framework/controls.h"

class counter : public fw::StaticText {
public:
    void Event_Open() override;  // shows 0
    void increment();
    void decrement();
    void set(int32_t n);
    void zero();
};
