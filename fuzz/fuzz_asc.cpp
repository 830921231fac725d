// Number tables (.asc).
#include "FuzzSupport.h"
#include "data/LoadErrors.h"
#include "data/Readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = zeb::fuzz::InputPath("asc");
    zeb::fuzz::WriteInput(path, data, size);
    zeb::fuzz::Window w(path);
    try {
        zeb::ReadAscFile(w.window);
    } catch (const zeb::EOvlConcAngle&) {
        // the grid limit goes to the load sequence, which reports it
    }
    return 0;
}
