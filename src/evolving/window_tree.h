// "Evolving Lizards". Its stage, clock and tree are still to come: for now
// the window opens with its frame and takes part in "Reset".
#pragma once

#include "designer/activity_window.h"

class WindowTree : public ActivityFrame {
public:
    void Layout() override;

protected:
    bool FileReset_Action() override;
};

// The open Evolving Lizards window, or a newly built one.
using WindowTreeClass = WindowTree;  // the class, where the accessor below hides its name
std::shared_ptr<WindowTreeClass> WindowTree();
