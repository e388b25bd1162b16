// What the activity windows share: the lizards with their trait panel, the
// tool strip with its marker, the lizard drag, the marker overlay and "Reset".
// Each window creates its own controls in its own order and binds them here.
#pragma once

#include <string>
#include <vector>

#include "canvas/canvases.h"
#include "framework/controls.h"
#include "framework/window.h"

// Where a lizard's pop-up arrow lies: this far across and down from the
// lizard's corner, in its lower right corner.
inline constexpr int kArrowAcross = 100;
inline constexpr int kArrowDown = 34;

// A control of a control array: made with its index.
template <class Base>
class Indexed : public Base {
public:
    explicit Indexed(int index) { this->SetIndex(index); }
};

// What every activity window does with "Reset" in the "File" menu: binds it
// to FileReset_Action and enables it while the window is in front.
class ActivityFrame : public fw::Window {
public:
    void AddMenuHandlers() override;
    void Event_EnableMenuItems() override;

protected:
    virtual bool FileReset_Action() = 0;
};

// One cell of the tool selector: its tool, icon and window cursor.
struct ToolCell {
    const char* tool;  // kArrowTool, kHandTool or kMarkerTool
    fw::PicturePtr (*icon)();
    fw::CursorPtr (*cursor)();
};

// Where the three activity windows' copies of the shared pieces differ.
struct ActivityVariant {
    // The selector's cells, left to right; cell i is framed at x = 1 + 22 i.
    std::vector<ToolCell> cells;
    // Whether these close the trait panel.
    bool toolChoiceClosesPanel = true;
    bool pressClosesPanel = true;
    bool lizardPressClosesPanel = true;
    // Trait panel geometry: box Left = panel Left + boxIndent; box t Top =
    // box t - 1 Top + boxStep. Without placesPanelTop the panel keeps its Top.
    int boxIndent = 14;
    int boxStep = 17;
    bool placesPanelTop = true;
};

// Arrow, hand and marker.
std::vector<ToolCell> ThreeTools();
// Arrow and marker.
std::vector<ToolCell> TwoTools();

class ActivityWindow : public ActivityFrame {
public:
    explicit ActivityWindow(ActivityVariant variant) : variant_(std::move(variant)) {}

    // The stage and the lizards.
    std::shared_ptr<fw::Rectangle> TreeRect;
    std::vector<std::shared_ptr<LizardCan>> MyLizardCan;
    std::vector<std::shared_ptr<fw::PopupArrow>> PopupArrowTraits;
    // The trait panel; CheckBoxTraits is in trait order whatever the creation order.
    std::shared_ptr<fw::Rectangle> RectangleTraits;
    std::vector<std::shared_ptr<fw::CheckBox>> CheckBoxTraits = std::vector<std::shared_ptr<fw::CheckBox>>(kTraitCount);
    // The tool strip.
    std::shared_ptr<NoDrawCan> MyNoDrawCan;
    std::shared_ptr<fw::Rectangle> Rectangle1;
    std::shared_ptr<fw::Canvas> CanvasCurrentColor;
    std::shared_ptr<fw::Canvas> CanvasPalette;
    std::shared_ptr<fw::PushButton> PushButtonClear;
    std::shared_ptr<CursCan> CanvasSelectCursor;

    // Index of the lizard whose trait panel was opened last; -1 when none.
    int TargetLizCan = -1;
    // The marker overlay: every stroke, white where there is none.
    fw::PicturePtr Cache;
    // Last marker point, or the grab point of a lizard drag; -1 when none.
    int oldX = -1;
    int oldY = -1;

    void Event_Open() override;
    void Event_Activate() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseUp(int x, int y) override;

    // Trait panel.
    void TraitPanelClose();
    void PopupArrowTraits_MouseEnter();
    void PopupArrowTraits_MouseExit();
    bool PopupArrowTraits_MouseDown(int k, int x, int y);
    void PopupArrowTraits_MouseUp(int k, int x, int y);
    void RectangleTraits_MouseEnter();
    void RectangleTraits_MouseExit();
    bool CheckBoxTraits_MouseDown(int t, int x, int y);
    virtual bool CheckBoxTraits_MouseUp(int t, int x, int y);
    // Clear, body, each set trait in trait order, copy to the screen, arrow on top.
    void LizardReRender(int k);
    // Each set trait's picture over lizard k's cache, in trait order; nothing else.
    void DrawTraitOverlays(int k);

    // Tool strip.
    void CanvasSelectCursor_Open();
    void CanvasSelectCursor_Paint(fw::Graphics& g);
    bool CanvasSelectCursor_MouseDown(int x, int y);
    void CanvasSelectCursor_MouseUp(int x, int y);
    void CanvasPalette_Open();
    bool CanvasPalette_MouseDown(int x, int y);
    void CanvasCurrentColor_Open();
    virtual void PushButtonClear_Action();
    // Cursor feedback over the strip, the arrows and the panel.
    void ArrowCursorOver();
    void resetcursor();
    // The colour the marker draws with now.
    fw::Color CurrentColor() const;

    // Lizard drag with the hand tool.
    bool MyLizardCan_MouseDown(int k, int x, int y);
    void MyLizardCan_MouseDrag(int k, int x, int y);
    void MyLizardCan_MouseUp(int k, int x, int y);

protected:
    // Arrows 0 to this less one belong to lizards in play; opening a panel
    // turns back only those.
    virtual int ArrowsInPlay() const { return int(PopupArrowTraits.size()); }
    // Whether a drag with the marker draws now.
    virtual bool MarkerMayDraw() const { return true; }
    // The selector cell a release at selector x chooses.
    int CellAt(int x) const;
    // The corner nearest (left, top) at which c, dragged, keeps a grip inside
    // the window: kGrip pixels across and down, or all of it where it is
    // smaller, so that the student can always grab it again.
    static constexpr int kGrip = 24;
    QPoint InReach(const fw::RectControl& c, int left, int top) const;
    // The tool strip hides what lies under it: unless kGrip of c's columns
    // stand beside the strip within the window, c at `at` keeps kGrip rows
    // above the strip.
    QPoint ClearOfStrip(const fw::RectControl& c, QPoint at) const;
    // Lizard k in front of the other lizards and their arrows, its own arrow in front of it.
    void BringLizardToFront(int k);

    const ActivityVariant variant_;

    // The stage, lizard i and the tool strip at the places that Designer
    // Lizards and Challenge share, bound to the handlers above.
    void AddStage();
    void AddLizard(int i);
    // Where the strip's parts stand; the strip itself and the tops of the
    // swatch, palette and "Clear" are the same in all three windows.
    struct ToolStripPlaces {
        int swatchLeft = 304;  // its black frame one pixel further out
        int paletteLeft = 351;
        int clearLeft = 493;
        int selectorLeft = 217;
        int selectorTop = 504;
        int selectorWidth = 67;
    };
    void AddToolStrip(const ToolStripPlaces& at);
    void AddToolStrip() { AddToolStrip(ToolStripPlaces{}); }
    // Arrow i at its place, bound; the trait panel, hidden; its box for trait t, hidden.
    void AddArrow(int i, int left, int top, bool visible);
    void AddTraitPanel(const QRect& bounds);
    void AddTraitBox(int t, const QRect& bounds);

    // Binds the events of the shared controls to the handlers above.
    void BindLizard(const std::shared_ptr<LizardCan>& lizard);
    void BindArrow(const std::shared_ptr<fw::PopupArrow>& arrow);
    void BindTraitPanel();
    void BindCheckBox(const std::shared_ptr<fw::CheckBox>& box);
    void BindToolStrip();
};

// The window values all three activity windows share: 782 by 550, centred,
// fixed size, a close box and no zoom or minimise buttons.
void ApplyActivityLayout(fw::Window& w, const std::string& title);

// The captions of the trait check boxes, in trait order.
extern const char* const kTraitCaptions[kTraitCount];
