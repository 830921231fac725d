// The measurements of a series named on a command line: a file is one
// measurement, a folder gives one measurement per measurement file in it
// (.sta, .dat, .plt, .plx, .asc, in name order), a pattern with * ? or [ ]
// that names no file gives one measurement per matching file (in name order).
#pragma once

#include "series/SeriesManifest.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zeb {

// The measurements of a series in their order, held compactly: a measurement
// of one file is its folder (kept once for the files after it in the same
// folder) and its name, a few bytes, so that a folder of a million files takes
// megabytes; any other measurement is held as its entry. The entry of a
// measurement is made when it is asked for.
class SeriesList {
public:
    std::size_t size() const { return items_.size(); }
    SeriesEntry entry(std::size_t i) const;

    // A measurement of the one file at path (its group is the path).
    void addFile(const std::string& path);
    void add(SeriesEntry entry);

private:
    static constexpr std::uint64_t kEntryTag = std::uint64_t{1} << 63;
    static constexpr int kFolderShift = 40;  // an item: folder << 40 | start of the name in names_
    std::vector<std::string> folders_;       // with their "/"
    std::string names_;                      // the files' names, each ended by a NUL
    std::vector<SeriesEntry> entries_;
    std::vector<std::uint64_t> items_;
};

// The measurements in the order given. A folder that cannot be read and a
// pattern that matches nothing become rows with their problem.
SeriesList SeriesListOf(const std::vector<std::string>& inputs);

} // namespace zeb
