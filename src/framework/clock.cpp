#include "clock.h"

#include <algorithm>

#include "controls.h"

namespace fw {

void Clock::Schedule(Timer* t, int64_t due) {
    std::erase_if(entries_, [t](const Entry& e) { return e.timer == t; });
    entries_.push_back({t, due, seq_++});
    Changed();
}

void Clock::Cancel(Timer* t) {
    if (std::erase_if(entries_, [t](const Entry& e) { return e.timer == t; }) > 0) Changed();
}

const Clock::Entry* Clock::Earliest() const {
    const Entry* best = nullptr;
    for (const auto& e : entries_)
        if (!best || e.due < best->due || (e.due == best->due && e.seq < best->seq)) best = &e;
    return best;
}

int64_t Clock::NextDue() const {
    const Entry* e = Earliest();
    return e ? e->due : -1;
}

void Clock::RunUntil(int64_t target) {
    while (const Entry* e = Earliest()) {
        if (e->due > target) break;
        Timer* t = e->timer;
        const int64_t due = e->due;
        if (!source_) manualNow_ = due;
        // Settle the timer's next due time before its Action runs, so that the
        // Action may stop or restart it freely.
        auto it = std::find_if(entries_.begin(), entries_.end(), [t](const Entry& x) { return x.timer == t; });
        if (t->Mode() == kTimerRepeating) {
            int64_t next = due + std::max(1, t->Period());
            // A real clock that fell behind does not fire a burst to catch up.
            if (source_ && next <= target) next = target + std::max(1, t->Period());
            it->due = next;
            it->seq = seq_++;
        } else {
            entries_.erase(it);
        }
        t->Fire();
    }
    if (!source_ && target > manualNow_) manualNow_ = target;
    Changed();
}

void Clock::Advance(int64_t ms) {
    RunUntil((source_ ? source_() : manualNow_) + std::max<int64_t>(0, ms));
}

void Clock::FireDue() { RunUntil(Now()); }

}  // namespace fw
