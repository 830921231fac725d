// The settings a plot window draws and calculates with: the global defaults
// read once at program start, the copy each window keeps and edits, and the
// table of line pens.
#pragma once

#include "settings/LogFont.h"

#include <array>
#include <cstdint>
#include <string>

namespace zeb {

// A solid pen: width in logical units of the chart, colour as 0x00BBGGRR.
struct LineStyle {
    std::int32_t width = 0;
    std::uint32_t color = 0;
    bool operator==(const LineStyle&) const = default;
};

// The seven line rows: 1 chart frame, 2 fitted curves of measurement plots,
// 3..7 the form-factor curves (coil mono disperse, coil poly disperse, thin
// rod, hard sphere, user defined).
inline constexpr int kLineRows = 7;
inline constexpr int kLineFrame = 1;
inline constexpr int kLineFitCurves = 2;
inline constexpr int kLineFirstFormFactor = 3;

// Built-in row r (1..7). The widths of rows 3..7 are k·16383/1500 for k = 1..5.
LineStyle BuiltInLine(int row);

// Entries 1..7 hold the rows in use, entries 9..15 the built-in rows 1..7
// (what the options dialog offers as "default").
struct LineTable {
    std::array<LineStyle, 16> entries{};
    LineStyle& row(int r) { return entries[static_cast<std::size_t>(r)]; }
    const LineStyle& row(int r) const { return entries[static_cast<std::size_t>(r)]; }
    const LineStyle& builtIn(int r) const { return entries[static_cast<std::size_t>(r + 8)]; }
    static LineTable BuiltIn();
    bool operator==(const LineTable&) const = default;
};

// A manual axis range as the options dialog enters it (stored units).
struct ManualRange {
    std::int16_t on = 0;
    double minimum = 0.0;
    double maximum = 1.0;
    bool operator==(const ManualRange&) const = default;
};

// Symbol sizes: 1 small, 2 medium, 3 great. Smoothing and weighting: 1 off, 2 on.
// Fit display: 1 all curves, 2 only the lines to q = 0 and c = 0, 3 those and
// every curve over q² at constant c.
struct GlobalDefaults {
    std::int16_t symbolSize = 2;
    std::int16_t symbolType = 1;  // 1 square, 2 cross
    std::int16_t plotType = 1;
    std::int16_t smoothing = 1;
    std::int16_t weighting = 1;
    std::int16_t fitDisplay = 1;
    std::int16_t symbolSizeFF = 2;
    std::int16_t symbolTypeFF = 1;
    std::int16_t showFileName = 1;
    std::int16_t showErrorBars = 0;
    std::int16_t showSampleName = 1;
    std::int16_t showResults = 1;
    std::int16_t printResults = 1;
    std::int16_t showFileNameFF = 1;
    std::int16_t showErrorBarsFF = 0;
    std::int16_t showSampleNameFF = 1;
    std::int16_t hideInactive = 0;
    ManualRange manualY;
    ManualRange manualX;
    LogFont axisFont;

    bool operator==(const GlobalDefaults&) const = default;
};

inline constexpr int kPlotTypes = 6;
inline constexpr int kFormFactorRepresentations = 12;
inline constexpr std::size_t kSampleNameChars = 41;
inline constexpr std::size_t kAxisTitleChars = 62;

// What each plot window keeps: a copy of the global defaults plus its own
// form-factor ranges, sample name, axis titles, line table and legend texts.
struct PlotSettings : GlobalDefaults {
    ManualRange manualXFF;
    ManualRange manualYFF;
    std::string sampleName;
    // The titles in use, and per plot type (1..6) and form-factor representation
    // (1..12) the titles read from the settings file; empty = built-in.
    std::string xTitle;
    std::string yTitle;
    std::array<std::string, kPlotTypes + 1> xTitleZimm;
    std::array<std::string, kPlotTypes + 1> yTitleZimm;
    std::array<std::string, kFormFactorRepresentations + 1> xTitleFF;
    std::array<std::string, kFormFactorRepresentations + 1> yTitleFF;
    LineTable lines = LineTable::BuiltIn();
    // Legend of the form-factor plot: [0] the concentration, [1..5] the five curves.
    std::array<std::string, 6> legend;
    bool formFactorMode = false;
};

} // namespace zeb
