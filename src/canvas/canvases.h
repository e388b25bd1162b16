// The canvases every activity window draws lizards and its tool strip with.
#pragma once

#include <array>
#include <string>

#include "framework/controls.h"

// Every activity window has seven lizards, and a lizard eight traits.
inline constexpr int kLizardCount = 7;
inline constexpr int kTraitCount = 8;

// A canvas with an off-screen picture that it can clear and copy to the screen.
class CacheCan : public fw::Canvas {
public:
    fw::PicturePtr Cache;
    virtual void ClearCache();  // fills Cache white
    virtual void BlitCache();   // copies Cache to the canvas at 0,0
};

// One lizard: its look composed once into Cache, its eight trait flags.
class LizardCan : public CacheCan {
public:
    std::array<bool, kTraitCount> Trait{};  // in trait order

    void Event_Paint(fw::Graphics& g) override;
    void Event_Open() override;
    // True only strictly inside the control (window coordinates).
    bool Within(int x, int y) const;
};

// Holds the tool strip; the marker does not draw inside it.
class NoDrawCan : public fw::Canvas {
public:
    bool within(int x, int y) const;
};

// The tools, by the names a CursCan holds.
inline constexpr char kArrowTool[] = "arrow";
inline constexpr char kHandTool[] = "hand";
inline constexpr char kMarkerTool[] = "marker";

// The tool selector: the selected tool's name.
class CursCan : public fw::Canvas {
public:
    std::string CurrentCursor;
};

// The strict inside test shared by LizardCan and NoDrawCan: the left column
// and top row count as outside, the right column and bottom row as inside.
bool StrictlyWithin(const fw::RectControl& c, int x, int y);
