// Standard files (.TOL): the third line must be a refractive index.
#include "FuzzSupport.h"
#include "dialogs/DialogNumber.h"
#include "dialogs/StandardFile.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The dialog reads no more of a file than this.
    const auto bytes = zeb::fuzz::Bytes(data, std::min(size, zeb::kStandardPrefixBytes));
    try {
        const std::string value = zeb::ParseStandardFile(bytes);
        double index = 0;
        if (!zeb::DialogNumber(value, index) || !(index > 0.0)) std::abort();  // what is taken is a number
    } catch (const zeb::ReadFailure& failure) {
        if (failure.problem.what.empty()) std::abort();  // a refusal always says why
    }
    return 0;
}
