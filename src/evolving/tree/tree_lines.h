// The lines the Evolving Lizards tree is drawn with. The splits are also the
// tree's only record of descent: each keeps its two clades as lists of tips.
#pragma once

#include <memory>
#include <vector>

#include "canvas/canvases.h"
#include "framework/controls.h"

// A trait mark: a short line across a branch or the root line.
class TraitLine : public fw::Line {};

// One branch, above one end of a split, with the marks placed on it. The
// two lists are parallel: element i of TraitLabels labels element i of TraitLines.
class VLine : public fw::Line {
public:
    std::vector<std::shared_ptr<TraitLine>> TraitLines;
    std::vector<std::shared_ptr<fw::StaticText>> TraitLabels;
};

// The root, under the ancestor; it follows the ancestor while Active.
class RootLine : public fw::Line {
public:
    bool Active = false;
};

// One split: the horizontal line joining its two daughter lineages at the
// height of the generation in which it happened.
class HLine : public fw::Line {
public:
    // The tips of each clade, in left-to-right order on the stage.
    std::vector<std::shared_ptr<LizardCan>> LeftEnd;
    std::vector<std::shared_ptr<LizardCan>> RightEnd;
    int TimeDepth = 0;  // window y of the split line
    std::shared_ptr<VLine> rightVLine;
    std::shared_ptr<VLine> leftVLine;

    // Lays out the split line, both branches and their marks' x from the
    // current places of the tips. Both ends must hold a tip and both branches
    // be assigned.
    void Reposition();
    // Index of liz (this very control) in the end, -1 when absent.
    int LeftContains(const LizardCan* liz) const;
    int RightContains(const LizardCan* liz) const;
};

// A branch line's upper end: just below its tip's bottom edge.
inline int BranchTop(const LizardCan& tip) { return tip.Top() + 45; }
