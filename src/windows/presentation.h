// Texts and controls that the splash and about windows share.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/window.h"

inline constexpr const char* kTitleText = "Cladeworks\rSoftware for Veridane";
inline constexpr const char* kPublisherAddress = "https://veridane.example.org";

// A black, left-aligned label.
void SetUpLabel(fw::StaticText& label, int left, int top, int width, int height, int textSize, bool multiline,
                const std::string& text);
// The book cover, 158 by 204.
void SetUpCover(fw::Canvas& cover, int left, int top);

// A window that closes at a click anywhere no button takes: the press is
// accepted so that its release reaches the window.
class PresentationWindow : public fw::Window {
public:
    void AddMenuHandlers() override {}
    bool Event_MouseDown(int, int) override { return true; }
    void Event_MouseUp(int, int) override { Close(); }

protected:
    // The window values both share: a dialog-like window on white. A fixed
    // one has no close box and cannot be resized, zoomed or minimised.
    void ApplyLayout(const std::string& title, int width, int height, int placement, bool fixed);
};
