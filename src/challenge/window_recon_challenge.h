// "Challenge". Its lizards, labels and tools are still to come: for now the
// window opens with its frame and takes part in "Reset".
#pragma once

#include "designer/activity_window.h"

class WindowReconChallenge : public ActivityFrame {
public:
    void Layout() override;

protected:
    bool FileReset_Action() override;
};

// The open Challenge window, or a newly built one.
using WindowReconChallengeClass = WindowReconChallenge;  // the class, where the accessor below hides its name
std::shared_ptr<WindowReconChallengeClass> WindowReconChallenge();
