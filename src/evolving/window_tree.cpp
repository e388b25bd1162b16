#include "evolving/window_tree.h"

#include "framework/application.h"
#include "shell/globals.h"

std::shared_ptr<WindowTreeClass> WindowTree() { return fw::ImplicitWindow<WindowTreeClass>(); }

void WindowTree::Layout() { ApplyActivityLayout(*this, "Evolving Lizards"); }

bool WindowTree::FileReset_Action() {
    Globals::ResetEvolvingLizards();
    return false;
}
