// The Evolving Lizards window in front, opened from the "Window" menu, the
// splash window gone by a click. The clock is driven by hand.
#pragma once

#include <string>
#include <vector>

#include "evolving/window_tree.h"
#include "program_fixture.h"

class EvolvingTest : public ActivityTest<WindowTreeClass> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenInFront("WindowEvolvinglizards"));
    }

    using WindowDriver::PressClock;
    using WindowDriver::ClickLizard;

    // Lizard indexes of PopOrder, or of a split's end.
    static std::vector<int> Ids(const std::vector<std::shared_ptr<LizardCan>>& lizards) {
        std::vector<int> v;
        for (auto& l : lizards) v.push_back(l->Index());
        return v;
    }
    static QLine Ends(const fw::Line& l) { return QLine(l.X1(), l.Y1(), l.X2(), l.Y2()); }
};
