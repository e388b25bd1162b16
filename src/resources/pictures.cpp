#include "resources/pictures.h"

#include "framework/application.h"
#include "framework/graphics.h"

namespace {

enum PictureId {
    kCover = 168, kLizard, kDewlap, kBackCrest, kTailCrest, kHeadCrest, kCollar,
    kSideBlotch, kSideStripes, kTailSpots, kColors, kIconArrow, kIconHand, kIconMarker,
    kFirstPicture = kCover, kLastPicture = kIconMarker,
};
enum CursorId { kHandCursor = 168, kMarkerCursor = 169 };

fw::PicturePtr pictureCache[kLastPicture - kFirstPicture + 1];
fw::CursorPtr handCursorCache;
fw::CursorPtr markerCursorCache;


fw::ResourceFork& Fork() {
    auto* app = fw::Application::Instance();
    if (!app) throw fw::NilObjectException("no application object");
    return app->ResourceFork();
}

fw::PicturePtr LoadPicture(int id) {
    fw::PicturePtr& cache = pictureCache[id - kFirstPicture];
    if (!cache) cache = Fork().GetPicture(id);
    return cache;
}

fw::CursorPtr LoadCursor(fw::CursorPtr& cache, int id) {
    if (!cache) cache = Fork().getCursor(id);
    return cache;
}

}  // namespace

fw::PicturePtr VeridaneCover() { return LoadPicture(kCover); }
fw::PicturePtr TheLizard() { return LoadPicture(kLizard); }
fw::PicturePtr Dewlap() { return LoadPicture(kDewlap); }
fw::PicturePtr BackCrest() { return LoadPicture(kBackCrest); }
fw::PicturePtr TailCrest() { return LoadPicture(kTailCrest); }
fw::PicturePtr HeadCrest() { return LoadPicture(kHeadCrest); }
fw::PicturePtr Collar() { return LoadPicture(kCollar); }
fw::PicturePtr SideBlotch() { return LoadPicture(kSideBlotch); }
fw::PicturePtr SideStripes() { return LoadPicture(kSideStripes); }
fw::PicturePtr TailSpots() { return LoadPicture(kTailSpots); }
fw::PicturePtr CladeworksColors() { return LoadPicture(kColors); }
fw::PicturePtr IconArrow() { return LoadPicture(kIconArrow); }
fw::PicturePtr IconHand() { return LoadPicture(kIconHand); }
fw::PicturePtr IconMarker() { return LoadPicture(kIconMarker); }

fw::CursorPtr HandCursor() { return LoadCursor(handCursorCache, kHandCursor); }
fw::CursorPtr MarkerCursor() { return LoadCursor(markerCursorCache, kMarkerCursor); }

void ReleaseResourceCaches() {
    for (auto& p : pictureCache) p.reset();
    handCursorCache.reset();
    markerCursorCache.reset();
}
