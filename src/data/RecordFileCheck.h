// Checks of a ZEB-7100 record file made from its bytes before anything of it
// is shown or written: is it a record file at all, and which of its records
// hold values that no measurement can have.
#pragma once

#include "data/RecordLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

struct RecordProblem {
    std::int64_t record = 0;  // 1-based; 0 = the file as a whole
    std::string what;
};

// Why the file is no record file: its records hold nothing but text, or a
// data record (2 .. records) is not laid out as a record of the format: a name
// field that is not text (printable characters, blank or NUL padded). Numbers
// are left to ImpossibleValue: an impossible number makes an impossible
// record, not a foreign file.
std::optional<RecordProblem> FindForeignRecord(std::string_view bytes, std::int64_t records);

// Why a record cannot be a measurement, or nullopt: a parameter, or a measured
// value that is there (above 0), outside its plausible range
// (PlausibleRanges.h), an error that its value cannot have, or Kc/R with a
// dn/dc of 0. Names the first such value: "wavelength 1e+30 nm".
std::optional<std::string> ImpossibleValue(const ZebRecord& record);

// Every record 2 .. records with an impossible value.
std::vector<RecordProblem> FindImpossibleRecords(std::string_view bytes, std::int64_t records);

} // namespace zeb
