#include "windows/presentation.h"

#include "resources/pictures.h"

void SetUpLabel(fw::StaticText& label, int left, int top, int width, int height, int textSize, bool multiline,
                const std::string& text) {
    label.SetBounds(left, top, width, height);
    label.SetTextSize(textSize);
    label.SetMultiline(multiline);
    label.SetText(text);
}

void SetUpCover(fw::Canvas& cover, int left, int top) {
    cover.SetBackdrop(VeridaneCover());
    cover.SetBounds(left, top, 158, 204);
    cover.EraseBackground = true;
}

void PresentationWindow::ApplyLayout(const std::string& title, int width, int height, int placement, bool fixed) {
    Title = title;
    SetSize(width, height);
    Placement = placement;
    Frame = fw::kDialogFrame;
    HasBackColor = true;
    BackColor = fw::RGB(255, 255, 255);
    CloseButton = !fixed;
    Resizeable = !fixed;
    MaximizeButton = !fixed;
    MinimizeButton = !fixed;
}
