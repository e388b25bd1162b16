// The one clock that all timers run on. By default its time only moves when
// advanced by hand (tests fire a thousand ticks in an instant); the host gives
// it a real time source and calls Advance when the next timer is due.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace fw {

class Timer;

class Clock {
public:
    using TimeSource = std::function<int64_t()>;

    int64_t Now() const { return source_ ? source_() : manualNow_; }

    // Real time, in ms; empty for a hand-driven clock.
    void SetTimeSource(TimeSource source) { source_ = std::move(source); }
    // Told whenever the earliest due time may have changed.
    void SetOnChange(std::function<void()> f) { onChange_ = std::move(f); }

    // Moves a hand-driven clock on by ms, firing every timer that falls due,
    // in order of due time (then of scheduling).
    void Advance(int64_t ms);
    // Fires every timer due by now (real time source).
    void FireDue();
    // Due time of the earliest timer, or -1 when none is scheduled.
    int64_t NextDue() const;

    void Schedule(Timer* t, int64_t due);
    void Cancel(Timer* t);

private:
    struct Entry {
        Timer* timer;
        int64_t due;
        uint64_t seq;
    };
    void RunUntil(int64_t t);
    const Entry* Earliest() const;
    void Changed() { if (onChange_) onChange_(); }

    std::vector<Entry> entries_;
    uint64_t seq_ = 0;
    int64_t manualNow_ = 0;
    TimeSource source_;
    std::function<void()> onChange_;
};

}  // namespace fw
