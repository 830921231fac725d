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

// Why the file is no record file: its records hold nothing but text, or the
// first data record (2 .. records) is not laid out as a record of the format:
// a name field that is not text (printable characters, blank or NUL
// padded) or a parameter that is a number of absurd size (beyond 1e15 or,
// other than 0, below 1e-15). Non-finite numbers are left to ImpossibleValue.
std::optional<RecordProblem> FindForeignRecord(std::string_view bytes, std::int64_t records);

// Why a record cannot be a measurement, or nullopt: an angle that does not lie
// between 0° and 180° (after rounding to 0.1°), a wavelength or solvent index
// that is not a positive number, a negative concentration, or a parameter that
// is not a finite number.
std::optional<std::string> ImpossibleValue(const ZebRecord& record);

// Every record 2 .. records with an impossible value.
std::vector<RecordProblem> FindImpossibleRecords(std::string_view bytes, std::int64_t records);

} // namespace zeb
