// "Reset" again and again, as a teacher does between students: the heap must
// stay flat once the caches of the first few rounds are warm.
#include <malloc.h>

#include <cstddef>
#include <cstdio>

#include "challenge/window_recon_challenge.h"
#include "evolving/window_tree.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime, whose headers are not always installed.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" int __lsan_do_recoverable_leak_check();
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

TEST_F(ResetMemoryTest, TwoHundredResetsOfEachWindowLeaveNoWindowOverAndNothingLeaked) {
    for (const char* item : {"WindowDesignerlizards", "WindowEvolvinglizards", "WindowChallenge"}) {
        ASSERT_TRUE(App().ChooseMenuItem(item));
        for (int i = 0; i < 200; ++i) ASSERT_TRUE(App().ChooseMenuItem("FileReset")) << item;
    }
    ASSERT_EQ(App().Windows().size(), 3u) << "one window of each kind, nothing left over";
    EXPECT_TRUE(Find<WindowMainClass>() && Find<WindowTreeClass>() && Find<WindowReconChallengeClass>());
    std::weak_ptr<fw::Window> last = Find<WindowReconChallengeClass>();
    w.reset();
    ReleaseGlobals();
    EXPECT_TRUE(last.expired()) << "the windows go with the release at exit";
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "see the leak report above";
#endif
    // The fixture's own release finds nothing left to do.
    NewAppInstance();
}

}  // namespace
