// The program's pictures and cursors, each read from the resources once, on
// first use, and kept until the program ends. A missing resource gives nil,
// and the next call asks again.
#pragma once

#include "framework/types.h"

fw::PicturePtr VeridaneCover();     // 168, the book cover
fw::PicturePtr TheLizard();         // 169, the body without traits
fw::PicturePtr Dewlap();            // 170
fw::PicturePtr BackCrest();         // 171
fw::PicturePtr TailCrest();         // 172
fw::PicturePtr HeadCrest();         // 173
fw::PicturePtr Collar();            // 174
fw::PicturePtr SideBlotch();        // 175
fw::PicturePtr SideStripes();       // 176
fw::PicturePtr TailSpots();         // 177
fw::PicturePtr CladeworksColors();  // 178, the marker colour palette
fw::PicturePtr IconArrow();         // 179
fw::PicturePtr IconHand();          // 180
fw::PicturePtr IconMarker();        // 181

fw::CursorPtr HandCursor();    // cursor 168
fw::CursorPtr MarkerCursor();  // cursor 169

// Empties every cache, pictures in id order, then the hand and marker cursors.
void ReleaseResourceCaches();
