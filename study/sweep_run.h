#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>

#include "run/calculation_run.h"
#include "study/sweep_plan.h"

namespace vortane {

struct PointResult {
    std::size_t index;  // 0-based; the point's number is index + 1
    RunResult run;
};

// One grid point, exactly as a run of its box texts: its report as the plan
// says, or none.
PointResult RunPoint(const SweepPlan& plan, std::size_t index);

// How a sweep runs: on how many worker threads, whom it tells of its progress,
// and what stops it early.
struct SweepControl {
    unsigned threads = 0;  // 0: one per core
    // Called on the calling thread after each point handed on: points done,
    // points in all.
    std::function<void(std::size_t done, std::size_t total)> progress;
    std::stop_token stop;  // a stop request ends the sweep after the points under way
    // Called on the calling thread about every 50 ms while it waits for the
    // next point, so that it can look for an interrupt however slow the points.
    std::function<void()> waiting = {};
};

enum class SweepEnd { Complete, Stopped };

// The points of a plan run one after another on the calling thread, as a host
// without threads (a Web Worker) runs a sweep: the caller decides when to run
// the next one, so that it can report progress and take a cancel in between.
class SweepCursor {
public:
    // The plan outlives the cursor.
    explicit SweepCursor(const SweepPlan& plan) : plan_(plan), total_(PointCount(plan)) {}
    bool Done() const { return next_ >= total_; }
    std::size_t Position() const { return next_; }  // points run so far
    std::size_t Total() const { return total_; }
    // Runs the next point; past the last one a std::logic_error.
    PointResult Next();

private:
    const SweepPlan& plan_;
    std::size_t total_;
    std::size_t next_ = 0;
};

// Runs the points of the plan on worker threads (on the calling thread itself
// when one thread is asked for or the host has one core) and hands each result to
// `consume` on the calling thread, in point order; the workers run at most a
// few points per thread ahead of it, so memory stays bounded however many
// points there are. After a stop request no further point starts and none is
// handed on: the points handed on are the first ones, in order, and the call
// returns once each worker has finished the point it was computing. An
// exception from `consume` stops the sweep the same way and is rethrown.
SweepEnd RunSweep(const SweepPlan& plan, const SweepControl& control,
                  const std::function<void(const PointResult&)>& consume);

// As RunSweep, but each point is also turned into a text by `format` on the
// worker that computed it, so that a table's rows are written where the cycles
// are; `consume` takes the point with its text, in point order.
using PointFormat = std::function<std::string(const PointResult&)>;
SweepEnd RunSweep(const SweepPlan& plan, const SweepControl& control, const PointFormat& format,
                  const std::function<void(const PointResult&, const std::string&)>& consume);

}  // namespace vortane
