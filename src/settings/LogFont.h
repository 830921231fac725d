// A logical font as the chart describes it: sizes in logical units of the
// chart, the style bytes of a Windows logical font and a face name of at most
// 31 characters. Stored under "FontSetting" and used by every canvas.
#pragma once

#include <cstdint>
#include <string>

namespace zeb {

struct LogFont {
    std::int32_t height = 0;       // character height; 0 with width 0 means the built-in size
    std::int32_t width = 0;        // average character width
    std::int32_t escapement = 0;   // tenths of a degree, counter-clockwise
    std::int32_t orientation = 0;
    std::int32_t weight = 700;     // 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 7;
    std::uint8_t clipPrecision = 32;
    std::uint8_t quality = 2;
    std::uint8_t pitchAndFamily = 32;
    std::string faceName = "Arial";

    static constexpr std::size_t kFaceNameChars = 31;

    bool operator==(const LogFont&) const = default;
};

} // namespace zeb
