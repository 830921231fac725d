// The manifest of a series of measurements: a CSV table whose rows are the
// measurements, each a group of files with optional options of its own.
//
//   group,files,plot,q_order,c_order,smooth,weight,k
//   PS 1,ps1-a.sta;ps1-b.sta,zimm,1,1,,,
//   PS 2,ps2.plx,,2,,yes,,
//
// The first line names the columns: "group" and "files" are needed, the others
// may be left out or left empty (the series' options hold then). Files are
// separated by ";" and are relative to the manifest's folder unless absolute.
// Fields follow RFC 4180: a field in double quotes may hold commas, line ends
// and doubled quotes. Blank lines and lines starting with "#" are skipped.
// A malformed table (an unknown or missing column, a row with another number
// of fields, an open quote) is refused as a whole; a row whose values cannot
// be taken (an unknown plot type, a repeated group name, no files) keeps its
// problem and becomes a failed row of the table.
#pragma once

#include "analysis/PlotType.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// The options a row gives; empty ones take the series' own.
struct RowOptions {
    std::optional<PlotType> plotType;
    std::optional<FitOrder> qOrder;
    std::optional<FitOrder> cOrder;
    std::optional<Smoothing> smoothing;
    std::optional<Weighting> weighting;
    std::optional<double> kDisplayed;  // in the unit the window shows (1e-11 of the internal one)
};

// One measurement of a series: a group of files evaluated together.
struct SeriesEntry {
    std::string group;
    std::vector<std::string> files;
    RowOptions options;
    std::string problem;  // why the row cannot be evaluated (empty: it can)
    std::size_t line = 0; // its line in the manifest (0: not from a manifest)
};

struct ManifestParse {
    std::vector<SeriesEntry> entries;
    std::string error;  // the manifest as a whole is refused: why (with the line)
    bool ok() const { return error.empty(); }
};

// The largest manifest read (a million measurements of short names fit).
inline constexpr std::size_t kMaxManifestBytes = 256u << 20;

// Parses the text of a manifest; relative file names are taken relative to
// folder ("" keeps them as they are).
ManifestParse ParseSeriesManifest(std::string_view text, const std::string& folder);

} // namespace zeb
