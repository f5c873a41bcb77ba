#include "result/channel_profile.h"

#include "model/arithmetic.h"

namespace vortane {

ChannelProfile ProfileOfRun(const RunResult& run, int steps) {
    if (run.outcome != RunOutcome::Complete) return {{}, "the run did not complete"};
    try {
        return {ProfileAlongChannels(run.data, steps), {}};
    } catch (const ArithmeticFault& fault) {
        return {{}, fault.what()};
    }
}

}  // namespace vortane
