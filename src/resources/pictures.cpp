#include "resources/pictures.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "framework/application.h"
#include "framework/graphics.h"
#include "resource_ids.h"

namespace {

// One cache slot per picture, in the list's order.
static_assert(std::is_sorted(std::begin(res::kPictureIds), std::end(res::kPictureIds)),
              "the caches are released in id order");
fw::PicturePtr pictureCache[std::size(res::kPictureIds)];
fw::CursorPtr handCursorCache;
fw::CursorPtr markerCursorCache;

// Picture id to cache slot, worked out while compiling.
consteval std::size_t SlotOf(int id) {
    for (std::size_t i = 0; i < std::size(res::kPictureIds); ++i)
        if (res::kPictureIds[i] == id) return i;
    throw "not a picture id";
}

fw::ResourceFork& Fork() {
    auto* app = fw::Application::Instance();
    if (!app) throw fw::NilObjectException("no application object");
    return app->ResourceFork();
}

fw::PicturePtr LoadPicture(std::size_t slot) {
    fw::PicturePtr& cache = pictureCache[slot];
    if (!cache) cache = Fork().GetPicture(res::kPictureIds[slot]);
    return cache;
}

fw::CursorPtr LoadCursor(fw::CursorPtr& cache, int id) {
    if (!cache) cache = Fork().getCursor(id);
    return cache;
}

}  // namespace

fw::PicturePtr VeridaneCover() { return LoadPicture(SlotOf(res::kVeridaneCover)); }
fw::PicturePtr TheLizard() { return LoadPicture(SlotOf(res::kTheLizard)); }
fw::PicturePtr Dewlap() { return LoadPicture(SlotOf(res::kDewlap)); }
fw::PicturePtr BackCrest() { return LoadPicture(SlotOf(res::kBackCrest)); }
fw::PicturePtr TailCrest() { return LoadPicture(SlotOf(res::kTailCrest)); }
fw::PicturePtr HeadCrest() { return LoadPicture(SlotOf(res::kHeadCrest)); }
fw::PicturePtr Collar() { return LoadPicture(SlotOf(res::kCollar)); }
fw::PicturePtr SideBlotch() { return LoadPicture(SlotOf(res::kSideBlotch)); }
fw::PicturePtr SideStripes() { return LoadPicture(SlotOf(res::kSideStripes)); }
fw::PicturePtr TailSpots() { return LoadPicture(SlotOf(res::kTailSpots)); }
fw::PicturePtr CladeworksColors() { return LoadPicture(SlotOf(res::kCladeworksColors)); }
fw::PicturePtr IconArrow() { return LoadPicture(SlotOf(res::kIconArrow)); }
fw::PicturePtr IconHand() { return LoadPicture(SlotOf(res::kIconHand)); }
fw::PicturePtr IconMarker() { return LoadPicture(SlotOf(res::kIconMarker)); }

fw::CursorPtr HandCursor() { return LoadCursor(handCursorCache, res::kHandCursor); }
fw::CursorPtr MarkerCursor() { return LoadCursor(markerCursorCache, res::kMarkerCursor); }

void ReleaseResourceCaches() {
    for (auto& p : pictureCache) p.reset();
    handCursorCache.reset();
    markerCursorCache.reset();
}
