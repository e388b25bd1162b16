// "Reset" again and again, as a teacher does between students: the heap must
// stay flat once the caches of the first few rounds are warm.
#include <malloc.h>

#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime, whose header is not always installed.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "program_fixture.h"

namespace {

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class ResetMemoryTest : public DesignerTest {};

TEST_F(ResetMemoryTest, ManyResetsLeaveTheHeapFlat) {
    auto reset = [] { ASSERT_TRUE(App().ChooseMenuItem("FileReset")); };
    for (int i = 0; i < 30; ++i) reset();
    const size_t warm = HeapInUse();
    constexpr int kRounds = 1000;
    for (int i = 0; i < kRounds; ++i) reset();
    const long grown = long(HeapInUse()) - long(warm);
    std::printf("heap after %d resets: %+ld bytes\n", kRounds, grown);
    // A few hundred bytes a round would pile up to megabytes over a school day.
    EXPECT_LT(grown, 100 * 1024L) << "bytes kept per reset: " << grown / kRounds;
    EXPECT_EQ(App().Windows().size(), 1u);
}

}  // namespace
