// User form-factor files (.FFU): a file is refused with a reason or gives a
// spline through at least four pairs.
#include "FuzzSupport.h"
#include "analysis/UserFormFactor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::UserFormFactor ff;
    const zeb::FfuResult result = zeb::ParseUserFormFactor(zeb::fuzz::Bytes(data, size), "/fuzz/input.FFU", ff);
    if (result != zeb::FfuResult::Ok) {
        if (ff.loaded) std::abort();
        // A refused file names what is wrong where.
        if ((result == zeb::FfuResult::InvalidLine || result == zeb::FfuResult::TooFewPairs) && ff.problem.empty())
            std::abort();
        return 0;
    }
    if (!ff.loaded || ff.qPerCm.size() < 4 || ff.qPerCm.size() != ff.pz.size()) std::abort();
    return 0;
}
