// The resource numbers of resource_ids.def as constants: res::kTheLizard is
// the number of the TheLizard picture, res::kHandCursor that of the
// HandCursor cursor, and so on.
#pragma once

namespace res {

#define CLADEWORKS_PICTURE(name, number) inline constexpr int k##name = number;
#define CLADEWORKS_CURSOR(name, number) inline constexpr int k##name = number;
#include "resource_ids.def"
#undef CLADEWORKS_PICTURE
#undef CLADEWORKS_CURSOR

// Every picture's and every cursor's number, in list order.
inline constexpr int kPictureIds[] = {
#define CLADEWORKS_PICTURE(name, number) number,
#define CLADEWORKS_CURSOR(name, number)
#include "resource_ids.def"
#undef CLADEWORKS_PICTURE
#undef CLADEWORKS_CURSOR
};
inline constexpr int kCursorIds[] = {
#define CLADEWORKS_PICTURE(name, number)
#define CLADEWORKS_CURSOR(name, number) number,
#include "resource_ids.def"
#undef CLADEWORKS_PICTURE
#undef CLADEWORKS_CURSOR
};

}  // namespace res
