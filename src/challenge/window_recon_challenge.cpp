#include "challenge/window_recon_challenge.h"

#include "framework/application.h"
#include "shell/globals.h"

std::shared_ptr<WindowReconChallengeClass> WindowReconChallenge() { return fw::ImplicitWindow<WindowReconChallengeClass>(); }

void WindowReconChallenge::Layout() { ApplyActivityLayout(*this, "Challenge"); }

bool WindowReconChallenge::FileReset_Action() {
    Globals::ResetReconChallenge();
    return false;
}
