// The name fields of a record are checked eight bytes at a time; every byte of
// every name is covered, and a NUL ends the text (what follows may be anything).
#include "ExampleData.h"
#include "data/RecordFileCheck.h"
#include "data/RecordLayout.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

std::string TwoRecordFile() {
    examples::RecordSpec r;
    r.sampleName = "PS 1.0e6";
    r.solventName = "toluene";
    r.standardName = "toluene";
    return examples::RecordFileBytes({r, r});
}

TEST(RecordFileCheck, EveryByteOfEveryNameIsChecked) {
    const std::string clean = TwoRecordFile();
    const std::int64_t records = static_cast<std::int64_t>(clean.size() / kRecordBytes);
    ASSERT_FALSE(FindForeignRecord(clean, records));
    const std::size_t second = 2 * kRecordBytes;  // record 3: the last data record
    for (const std::size_t field : {rec::kSampleName, rec::kSolventName, rec::kStandardName}) {
        for (std::size_t i = 0; i < kRecordNameBytes; ++i) {
            for (const int byte : {0x01, 0x09, 0x1F, 0x7F, 0x20, 0x7E, 0x80, 0xA0, 0xFF}) {
                std::string bytes = clean;
                for (std::size_t k = 0; k < kRecordNameBytes; ++k) bytes[second + field + k] = 'x';
                bytes[second + field + i] = static_cast<char>(byte);
                const auto found = FindForeignRecord(bytes, records);
                const bool control = byte < 0x20 || byte == 0x7F;
                EXPECT_EQ(found.has_value(), control) << "field " << field << " byte " << i << " value " << byte;
                if (found) {
                    EXPECT_EQ(found->record, 3);
                }
                // After a NUL anything may follow.
                if (i > 0) {
                    bytes[second + field] = '\0';
                    EXPECT_FALSE(FindForeignRecord(bytes, records)) << "field " << field << " byte " << i;
                }
            }
        }
    }
}

} // namespace
} // namespace zeb
