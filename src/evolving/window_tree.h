// "Evolving Lizards": one ancestral lizard rises through the generations
// while the clock runs; a click on a lizard splits its lineage, and the tree
// of splits is drawn over the stage with the traits marked where they arose.
#pragma once

#include <memory>
#include <vector>

#include "designer/activity_window.h"
#include "evolving/tree/counter.h"
#include "evolving/tree/tree_lines.h"

class WindowTree : public ActivityWindow {
public:
    WindowTree();

    // Index of the highest lizard shown so far: lizards 0 to this are shown.
    int LastPopActivated = 0;
    // The shown lizards in left-to-right order on the stage.
    std::vector<std::shared_ptr<LizardCan>> PopOrder;
    // Splits drawn (myHLine 1 up), branches in use (myVLine 1 up), marks placed.
    int numHLines = 0;
    int numVLines = 0;
    int numTraitLines = 0;

    // This window's name for the shared lizard array.
    std::vector<std::shared_ptr<LizardCan>>& myLizardCan = MyLizardCan;
    std::shared_ptr<fw::Timer> TimerWait;
    std::vector<std::shared_ptr<HLine>> myHLine = std::vector<std::shared_ptr<HLine>>(8);
    std::vector<std::shared_ptr<VLine>> myVLine = std::vector<std::shared_ptr<VLine>>(15);
    std::vector<std::shared_ptr<TraitLine>> MyTraitLine = std::vector<std::shared_ptr<TraitLine>>(16);
    std::vector<std::shared_ptr<fw::StaticText>> StaticTextTrait = std::vector<std::shared_ptr<fw::StaticText>>(16);
    std::shared_ptr<fw::PushButton> PushButtonFastFwd;
    std::shared_ptr<fw::StaticText> StaticText1;
    std::shared_ptr<counter> CountUp;  // the generation; never shown
    std::shared_ptr<RootLine> myrootline;

    void Layout() override;
    void CreateControls() override;
    void CreateControls0();
    void CreateControls1();
    void Event_Open() override;
    void Event_MouseUp(int x, int y) override;

    // The generation clock.
    void PushButtonFastFwd_Action();
    void TimerWait_Action();
    void myrootline_Open();

    // Gaining a trait also marks it on the lizard's branch.
    bool CheckBoxTraits_MouseUp(int t, int x, int y) override;

protected:
    bool FileReset_Action() override;
    int ArrowsInPlay() const override { return LastPopActivated + 1; }
    // The marker rests while the clock runs.
    bool MarkerMayDraw() const override { return PushButtonFastFwd->Caption() != "Pause"; }

private:
    void AddTraitMark(int i);
    void Split(int parent);
    void PlaceTraitMark(int t, const LizardCan& lizard);
};

// The open Evolving Lizards window, or a newly built one.
using WindowTreeClass = WindowTree;  // the class, where the accessor below hides its name
std::shared_ptr<WindowTreeClass> WindowTree();
