// State and routines shared by the activity windows.
#pragma once

#include <vector>

#include "framework/types.h"

namespace Globals {

// The eight trait pictures in trait order: 0 dewlap, 1 head crest, 2 back
// crest, 3 tail crest, 4 collar, 5 side blotch, 6 side stripes, 7 tail spots.
// Eight empty entries until InitializeGlobals runs.
extern std::vector<fw::PicturePtr> TraitImage;

void InitializeGlobals();
// Each closes its activity window and shows a freshly built one.
void resetDesignerLizards();
void ResetEvolvingLizards();
void ResetReconChallenge();

}  // namespace Globals
