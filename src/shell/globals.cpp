#include "shell/globals.h"

#include "challenge/window_recon_challenge.h"
#include "designer/window_main.h"
#include "evolving/window_tree.h"
#include "resources/pictures.h"

namespace Globals {

std::vector<fw::PicturePtr> TraitImage(kTraitCount);

void InitializeGlobals() {
    TraitImage.at(0) = Dewlap();
    TraitImage.at(1) = HeadCrest();
    TraitImage.at(2) = BackCrest();
    TraitImage.at(3) = TailCrest();
    TraitImage.at(4) = Collar();
    TraitImage.at(5) = SideBlotch();
    TraitImage.at(6) = SideStripes();
    TraitImage.at(7) = TailSpots();
}

namespace {
// Close the open window of this kind, then build and show a fresh one.
template <class Accessor>
void Reset(Accessor accessor) {
    fw::Deref(accessor()).Close();
    fw::Deref(accessor()).Show();
}
}  // namespace

void resetDesignerLizards() { Reset(&::WindowMain); }
void ResetEvolvingLizards() { Reset(&::WindowTree); }
void ResetReconChallenge() { Reset(&::WindowReconChallenge); }

}  // namespace Globals
