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
