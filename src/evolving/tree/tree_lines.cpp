#include "evolving/tree/tree_lines.h"

#include <algorithm>

#include "framework/strings.h"

namespace {

// Mean of the tips' centres; a lizard is 110 wide. Only the division is done
// in floating point.
int NodeX(const std::vector<std::shared_ptr<LizardCan>>& end) {
    int32_t sum = 0;
    int count = 0;
    for (const auto& tip : end) {
        sum += tip->Left();
        ++count;
    }
    return fw::ToInt32(double(sum) / double(count) + 55.0);
}

int IndexIn(const std::vector<std::shared_ptr<LizardCan>>& end, const LizardCan* liz) {
    for (int i = 0; i < int(end.size()); ++i)
        if (end[i].get() == liz) return i;
    return -1;
}

// A branch stands on its split line at x; its marks follow it sideways at
// their own heights. A branch to a single tip reaches up to that tip; one to
// a clade keeps the upper end it had when the clade gained its second tip.
void PlaceBranch(VLine& v, int x, int timeDepth, const std::vector<std::shared_ptr<LizardCan>>& end) {
    const int top = end.size() == 1 ? BranchTop(*end[0]) : v.Y1();
    v.SetPoints(x, top, x, timeDepth);
    for (size_t i = 0; i < v.TraitLines.size(); ++i) {
        TraitLine& mark = *v.TraitLines[i];
        mark.SetPoints(x - 3, mark.Y1(), x + 2, mark.Y2());
        v.TraitLabels[i]->SetLeft(x + 5);
    }
}

}  // namespace

void HLine::Reposition() {
    const int xL = NodeX(LeftEnd);
    const int xR = NodeX(RightEnd);
    SetPoints(xL, TimeDepth, xR, TimeDepth);
    PlaceBranch(fw::Deref(leftVLine, "left branch"), xL, TimeDepth, LeftEnd);
    PlaceBranch(fw::Deref(rightVLine, "right branch"), xR, TimeDepth, RightEnd);
}

int HLine::LeftContains(const LizardCan* liz) const { return IndexIn(LeftEnd, liz); }

int HLine::RightContains(const LizardCan* liz) const { return IndexIn(RightEnd, liz); }
