// "Designer Lizards": seven lizards on a grey stage, a trait panel for each,
// the tool strip below.
#pragma once

#include "designer/activity_window.h"

class WindowMain : public ActivityWindow {
public:
    WindowMain() : ActivityWindow({.cells = ThreeTools()}) {}
    void Layout() override;
    void CreateControls() override;
    void TreeRect_Open();

protected:
    bool FileReset_Action() override;
};

// The open Designer Lizards window, or a newly built one.
using WindowMainClass = WindowMain;  // the class, where the accessor below hides its name
std::shared_ptr<WindowMainClass> WindowMain();
