// "Challenge": seven lizards with fixed traits and eight trait labels, which
// the student lays out into a tree of their own with the hand tool, drawing
// its branches with the marker. Nothing here judges or keeps the layout.
#pragma once

#include <memory>
#include <vector>

#include "designer/activity_window.h"

class WindowReconChallenge : public ActivityWindow {
public:
    WindowReconChallenge();
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;

    // One orange label per trait, in trait order, below the stage.
    std::vector<std::shared_ptr<fw::StaticText>> TraitLabel;

    void PushButtonClear_Action() override;

    // Dragging a label with the hand tool.
    bool TraitLabel_MouseDown(int k, int x, int y);
    void TraitLabel_MouseDrag(int k, int x, int y);
    void TraitLabel_MouseUp(int k, int x, int y);

protected:
    bool FileReset_Action() override;
};

// The open Challenge window, or a newly built one.
using WindowReconChallengeClass = WindowReconChallenge;  // the class, where the accessor below hides its name
std::shared_ptr<WindowReconChallengeClass> WindowReconChallenge();
