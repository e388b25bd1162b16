// The rules the program keeps between any two events, checked by the random
// walk after every step. Each check returns what is broken, or nothing.
#pragma once

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <typeindex>
#include <vector>

#include <algorithm>

#include "challenge/window_recon_challenge.h"
#include "designer/activity_window.h"
#include "designer/window_main.h"
#include "evolving/window_tree.h"
#include "framework/strings.h"
#include "program/overlay_check.h"
#include "shell/app.h"

// What the walk reached, so that a run can say it exercised the deep parts.
struct WalkStats {
    int splits = 0, marks = 0, fullRuns = 0;
    // The Evolving Lizards window last seen, to count what it gained since.
    std::weak_ptr<fw::Window> tree;
    int treeSplits = 0, treeMarks = 0;
    bool treeDone = false;
    // Windows whose marker has been white: a white stroke may show there.
    std::vector<std::weak_ptr<fw::Window>> whiteMarker;
};

namespace invariants {

inline std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (auto& p : parts) out += (out.empty() ? "" : "; ") + p;
    return out;
}

// The shared pieces of any activity window. arrowsFollow(k): whether arrow k
// is kept at its lizard's corner.
template <class ArrowsFollow>
std::string CheckActivity(const ActivityWindow& w, const std::vector<std::string>& tools, ArrowsFollow arrowsFollow) {
    std::ostringstream bad;
    if (w.Overlay() != w.Cache) bad << "the marker overlay is not the window's overlay; ";
    if (auto p = OverlayHiddenAt(w)) bad << "stroke in the overlay not shown at " << p->x() << "," << p->y() << "; ";
    if (w.TargetLizCan < -1 || w.TargetLizCan > 6) bad << "TargetLizCan " << w.TargetLizCan << " out of -1..6; ";
    bool ownTool = false;
    for (auto& t : tools) ownTool = ownTool || w.CanvasSelectCursor->CurrentCursor == t;
    if (!ownTool) bad << "tool \"" << w.CanvasSelectCursor->CurrentCursor << "\" is not one of the window's; ";
    const bool panel = w.RectangleTraits->Visible();
    for (int t = 0; t < 8; ++t)
        if (w.CheckBoxTraits[t]->Visible() != panel) bad << "box " << t << " shown apart from its panel; ";
    int open = 0;
    for (int k = 0; k < 7; ++k) {
        if (w.PopupArrowTraits[k]->Facing() == 3) {
            ++open;
            if (!panel || w.TargetLizCan != k) bad << "arrow " << k << " open without its panel; ";
        }
        if (!arrowsFollow(k)) continue;
        const auto& liz = *w.MyLizardCan[k];
        const auto& arrow = *w.PopupArrowTraits[k];
        const int dx = k == 6 && arrowsFollow.seventhOneMore ? 101 : 100;
        if (arrow.Left() != liz.Left() + dx || arrow.Top() != liz.Top() + 34)
            bad << "arrow " << k << " at " << arrow.Left() << "," << arrow.Top() << " for its lizard at " << liz.Left()
                << "," << liz.Top() << "; ";
    }
    if (open > 1) bad << open << " arrows open at once; ";
    if (panel && open == 1 && w.TargetLizCan >= 0)
        for (int t = 0; t < 8; ++t)
            if (w.CheckBoxTraits[t]->Value() != w.MyLizardCan[w.TargetLizCan]->Trait[t])
                bad << "box " << t << " disagrees with lizard " << w.TargetLizCan << "; ";
    return bad.str();
}

struct EveryArrow {
    bool seventhOneMore = true;
    bool operator()(int) const { return true; }
};

inline std::string CheckDesigner(const WindowMainClass& w) {
    return CheckActivity(w, {"arrow", "hand", "marker"}, EveryArrow{});
}

// Evolving Lizards: the clock, the lizards shown, and the tree over them.
inline std::string CheckTree(const WindowTreeClass& w, WalkStats& stats) {
    struct ShownArrows {
        const WindowTreeClass& w;
        bool seventhOneMore = false;  // respacing puts every arrow at + 100
        bool operator()(int k) const { return k <= w.LastPopActivated; }
    };
    std::ostringstream bad;
    bad << CheckActivity(w, {"arrow", "marker"}, ShownArrows{w});

    const int n = w.LastPopActivated;
    if (n < 0 || n > 6) return bad.str() + "LastPopActivated " + std::to_string(n) + "; ";
    for (int i = 0; i < 7; ++i)
        if (w.myLizardCan[i]->Visible() != (i <= n)) bad << "lizard " << i << " shown against LastPopActivated; ";
    // PopOrder holds exactly the shown lizards, each once.
    std::vector<const LizardCan*> order;
    for (auto& l : w.PopOrder) order.push_back(l.get());
    std::vector<const LizardCan*> shown;
    for (int i = 0; i <= n; ++i) shown.push_back(w.myLizardCan[i].get());
    std::vector<const LizardCan*> a = order, b = shown;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b) bad << "PopOrder does not hold exactly the shown lizards; ";
    if (w.numHLines != n || w.numVLines != 2 * n) bad << "split counts disagree with the lizards shown; ";

    // Each end of each split is a run of consecutive PopOrder entries, and
    // every shown lizard is alone at exactly one end once a split exists.
    const auto position = [&](const LizardCan* l) {
        return int(std::find(order.begin(), order.end(), l) - order.begin());
    };
    std::vector<int> aloneAt(7, 0);
    for (int h = 1; h <= std::min(w.numHLines, 6); ++h) {
        const HLine& split = *w.myHLine[h];
        for (const auto* end : {&split.LeftEnd, &split.RightEnd}) {
            if (end->empty()) {
                bad << "split " << h << " has an empty end; ";
                continue;
            }
            for (size_t i = 0; i < end->size(); ++i)
                if (position((*end)[i].get()) != position((*end)[0].get()) + int(i))
                    bad << "split " << h << " has an end that is not a run of PopOrder; ";
            if (end->size() == 1)
                for (int i = 0; i <= n; ++i) aloneAt[i] += (*end)[0] == w.myLizardCan[i];
        }
        if (!split.LeftEnd.empty() && !split.RightEnd.empty() &&
            position(split.LeftEnd.back().get()) + 1 != position(split.RightEnd.front().get()))
            bad << "split " << h << "'s ends do not meet; ";
    }
    if (w.numHLines > 0)
        for (int i = 0; i <= n; ++i)
            if (aloneAt[i] != 1) bad << "lizard " << i << " is alone at " << aloneAt[i] << " ends; ";

    // The clock: caption, timer and count agree; the lizards stand where the
    // count says.
    const std::string caption = w.PushButtonFastFwd->Caption();
    const double count = fw::Val(w.CountUp->Text());
    const int mode = w.TimerWait->Mode();
    const bool enabled = w.PushButtonFastFwd->Enabled();
    if (!((caption == "Run" && mode == 0 && enabled) || (caption == "Pause" && mode == 2 && enabled) ||
          (caption == "Done" && mode == 0 && !enabled && count == 1001)))
        bad << "clock: \"" << caption << "\", mode " << mode << (enabled ? "" : ", disabled") << "; ";
    if (count < 0 || count > 1001 || count != int(count)) bad << "count " << w.CountUp->Text() << "; ";
    const int top = 344 - (int(count) + 2) / 3;
    for (int i = 0; i <= n; ++i)
        if (w.myLizardCan[i]->Top() != top) bad << "lizard " << i << " at Top " << w.myLizardCan[i]->Top() << " for count " << count << "; ";

    if (w.numTraitLines < 0 || w.numTraitLines > 8) bad << w.numTraitLines << " marks; ";
    for (int k = 0; k < 16; ++k)
        if (w.MyTraitLine[k]->Visible() != (k < w.numTraitLines) || w.StaticTextTrait[k]->Visible() != (k < w.numTraitLines))
            bad << "mark " << k << " shown against the count of marks; ";

    // What this window reached since last seen.
    if (stats.tree.lock().get() != &w) {
        stats.tree = const_cast<WindowTreeClass&>(w).weak_from_this();
        stats.treeSplits = stats.treeMarks = 0;
        stats.treeDone = false;
    }
    stats.splits += w.numHLines - stats.treeSplits;
    stats.marks += w.numTraitLines - stats.treeMarks;
    stats.treeSplits = w.numHLines;
    stats.treeMarks = w.numTraitLines;
    if (caption == "Done" && !stats.treeDone) ++stats.fullRuns;
    stats.treeDone = caption == "Done";
    return bad.str();
}

// Challenge: the trait panel never opens, and every arrow stays hidden.
inline std::string CheckChallenge(const WindowReconChallengeClass& w) {
    std::ostringstream bad;
    bad << CheckActivity(w, {"arrow", "hand", "marker"}, EveryArrow{});
    for (int k = 0; k < 7; ++k)
        if (w.PopupArrowTraits[k]->Visible()) bad << "arrow " << k << " shown; ";
    if (w.TargetLizCan != -1) bad << "TargetLizCan " << w.TargetLizCan << "; ";
    if (w.RectangleTraits->Visible()) bad << "trait panel open; ";
    return bad.str();
}

inline std::string CheckWindows() {
    std::set<std::type_index> seen;
    std::ostringstream bad;
    for (auto& w : App().Windows()) {
        const fw::Window& win = *w;
        if (win.IsClosed()) bad << "a closed window is still listed; ";
        if (!seen.insert(typeid(win)).second) bad << "two windows of one class; ";
    }
    return bad.str();
}

}  // namespace invariants

// Every rule of every open window; empty when all hold. withRepaint: also
// that each window shows what a full repaint would, the costliest check.
inline std::string CheckProgram(WalkStats& stats, bool withRepaint) {
    std::string bad = invariants::CheckWindows();
    for (auto& w : App().Windows()) {
        auto* activity = dynamic_cast<ActivityWindow*>(w.get());
        const auto same = [&](const std::weak_ptr<fw::Window>& o) { return o.lock() == w; };
        bool white = std::any_of(stats.whiteMarker.begin(), stats.whiteMarker.end(), same);
        if (activity && !white && activity->CurrentColor() == fw::kWhite) {
            std::erase_if(stats.whiteMarker, [](auto& o) { return o.expired(); });
            stats.whiteMarker.push_back(w);
            white = true;
        }
        if (withRepaint)
            if (auto p = NotARepaintAt(*w, white))
                bad += "\"" + (w->Title.empty() ? std::string("the splash") : w->Title) +
                       "\" shows other than a full repaint at " + std::to_string(p->x()) + "," +
                       std::to_string(p->y()) + "; ";
        if (auto* main = dynamic_cast<WindowMainClass*>(w.get())) bad += invariants::CheckDesigner(*main);
        if (auto* tree = dynamic_cast<WindowTreeClass*>(w.get())) bad += invariants::CheckTree(*tree, stats);
        if (auto* challenge = dynamic_cast<WindowReconChallengeClass*>(w.get()))
            bad += invariants::CheckChallenge(*challenge);
    }
    return bad;
}
