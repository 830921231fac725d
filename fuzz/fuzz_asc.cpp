// Number tables (.asc).
#include "FuzzSupport.h"
#include "data/LoadErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb::fuzz::Reading r(zeb::fuzz::Bytes(data, size), "/fuzz/input.asc");
    try {
        zeb::ReadAscBytes(zeb::fuzz::Bytes(data, size), r.in);
    } catch (const zeb::EOvlConcAngle&) {
        // the grid limit goes to the load sequence, which reports it
    }
    return 0;
}
