#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace zeb::fuzz {

std::string InputPath(const std::string& ext) {
    return (std::filesystem::temp_directory_path() / ("zebstat-fuzz-" + std::to_string(::getpid()) + "." + ext))
        .string();
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) std::abort();
}

Window::Window(const std::string& path) {
    window.set().InitMeasurementSet();
    window.setCurrentPath(path);
    window.setLoading(true);
}

} // namespace zeb::fuzz
