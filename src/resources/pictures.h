// The program's pictures and cursors, each read from the resources once, on
// first use, and kept until the program ends. A missing resource gives nil,
// and the next call asks again. Their resource numbers are those of
// assets/resource_ids.def, under the same names.
#pragma once

#include "framework/types.h"

fw::PicturePtr VeridaneCover();  // the book cover
fw::PicturePtr TheLizard();      // the body without traits
fw::PicturePtr Dewlap();
fw::PicturePtr BackCrest();
fw::PicturePtr TailCrest();
fw::PicturePtr HeadCrest();
fw::PicturePtr Collar();
fw::PicturePtr SideBlotch();
fw::PicturePtr SideStripes();
fw::PicturePtr TailSpots();
fw::PicturePtr CladeworksColors();  // the marker colour palette
fw::PicturePtr IconArrow();
fw::PicturePtr IconHand();
fw::PicturePtr IconMarker();

fw::CursorPtr HandCursor();
fw::CursorPtr MarkerCursor();

// Empties every cache, pictures in id order, then the hand and marker cursors.
void ReleaseResourceCaches();
