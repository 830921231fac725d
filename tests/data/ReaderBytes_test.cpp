// The readers without a window: bytes in, a measurement set out, the review
// answered by a script, what a correction writes kept in memory.
#include "ExampleData.h"
#include "texts/CommonTexts.h"
#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"
#include "data/CFormat.h"
#include "data/ConcentrationTable.h"
#include "data/LittleEndian.h"
#include "data/MeasurementSet.h"
#include "data/ReaderFiles.h"
#include "data/Readers.h"
#include "data/RecordReview.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace zeb {
namespace {

using examples::RecordSpec;

constexpr const char* kStaPath = "/lab/ps.sta";

// A set, a platform and in-memory files around one input.
struct ReaderBench {
    ScriptedPlatform platform;
    MeasurementSet set{platform};
    MemoryFiles files;
    bool loading = true;
    ReaderInput in;
    ReaderBench(const std::string& bytes, const std::string& path)
        : files(bytes), in{path, FileIdentity{}, set, platform, files, [this] { return loading; }} {
        set.InitMeasurementSet();
    }
    // (text, caption) of every message, in order.
    std::vector<std::pair<std::string, std::string>> messages() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& m : platform.messages) out.emplace_back(m.text, m.caption);
        return out;
    }
};

// A review that answers from a script and notes the records it was shown.
struct ScriptedRecordReview : RecordReview {
    std::function<ReviewAnswer(ZebRecord&, int)> answer;
    std::vector<int> shown;
    std::vector<ReviewedFile> files;
    ReviewAnswer review(ZebRecord& record, int n, double&, int&, const ReviewedFile& file) override {
        shown.push_back(n);
        files.push_back(file);
        return answer(record, n);
    }
};

std::vector<RecordSpec> BytesTestRecords(bool dynamic) {
    return examples::ModelRecords(examples::PolystyreneLarge(), {1e-3, 2e-3}, {30, 90, 150}, dynamic, 3);
}

float RecordFloatAt(const std::string& file, int record, std::size_t offset) {
    return le::getF32(reinterpret_cast<const std::uint8_t*>(file.data()) + (record - 1) * 198 + offset);
}

TEST(RecordBytes, ContinueLoadsEveryRecordAndWritesNothing) {
    const auto records = BytesTestRecords(true);
    const std::string bytes = examples::RecordFileBytes(records);
    ReaderBench b(bytes, kStaPath);
    ScriptedRecordReview review;
    review.answer = [](ZebRecord&, int) { return ReviewAnswer::Continue; };

    ASSERT_EQ(ReadRecordBytes(bytes, b.in, review), kLoadOk);
    EXPECT_EQ(review.shown, std::vector<int>{2});  // after Continue no further review
    EXPECT_EQ(review.files[0].originalNote, CFormat(tx::OriginalKeptNote, "ps.sta.orig"));
    EXPECT_EQ(review.files[0].cannotChangeReason, "");
    EXPECT_TRUE(b.messages().empty());
    EXPECT_EQ(b.set.lastConcIndex, 2);
    EXPECT_EQ(b.set.lastAngleIndex, 3);
    EXPECT_EQ(b.set.sourceName[1], kStaPath);
    EXPECT_EQ(b.set.cell(1, 1)->kcr, static_cast<double>(records[0].kcr));
    EXPECT_EQ(b.set.cell(2, 3)->kcr, static_cast<double>(records[5].kcr));
    EXPECT_EQ(b.files.replaceCount, 0);
    EXPECT_FALSE(b.files.original);
}

TEST(RecordBytes, ChangedConcentrationIsAppliedWrittenBackAndReviewedAgainAtTheNextSet) {
    const auto records = BytesTestRecords(false);
    const std::string bytes = examples::RecordFileBytes(records);
    ReaderBench b(bytes, kStaPath);
    ScriptedRecordReview review;
    review.answer = [](ZebRecord& r, int n) {
        if (n != 2) return ReviewAnswer::Continue;
        r.concentrationGPerCm3 = 0.0015f;
        return ReviewAnswer::Change;
    };

    ASSERT_EQ(ReadRecordBytes(bytes, b.in, review), kLoadOk);
    // Record 2 opens the review; the records of its set follow silently; record
    // 5 holds another concentration.
    EXPECT_EQ(review.shown, (std::vector<int>{2, 5}));
    ASSERT_EQ(b.files.replaceCount, 1);
    EXPECT_EQ(b.files.original, bytes);
    ASSERT_EQ(b.files.contents.size(), bytes.size());
    for (int n = 2; n <= 4; ++n) {
        EXPECT_EQ(RecordFloatAt(b.files.contents, n, 118), 0.0015f) << n;
        EXPECT_FLOAT_EQ(RecordFloatAt(b.files.contents, n, 182), records[n - 2].kcr * 1.5f) << n;
    }
    EXPECT_EQ(b.files.contents.substr(4 * 198), bytes.substr(4 * 198));  // the second set untouched
    EXPECT_EQ(b.set.concentration[1], static_cast<double>(0.0015f));
    EXPECT_FLOAT_EQ(static_cast<float>(b.set.cell(1, 2)->kcr), records[1].kcr * 1.5f);
    EXPECT_EQ(b.set.cell(2, 2)->kcr, static_cast<double>(records[4].kcr));
    // A static file: the missing-values warning once.
    EXPECT_EQ(b.messages(), (std::vector<std::pair<std::string, std::string>>{
                                {tx::MissingMeasurementValues, tx::CapInformationLower}}));
}

TEST(RecordBytes, AWriteProtectedFileLoadsAsItIsWithOneMessage) {
    const auto records = BytesTestRecords(true);
    const std::string bytes = examples::RecordFileBytes(records);
    ReaderBench b(bytes, kStaPath);
    b.files.writable = false;
    ScriptedRecordReview review;
    review.answer = [](ZebRecord& r, int) {
        r.concentrationGPerCm3 = 0.0015f;
        return ReviewAnswer::Change;
    };

    ASSERT_EQ(ReadRecordBytes(bytes, b.in, review), kLoadOk);
    FileWriteResult refused;
    refused.reason = "the file is write-protected";
    EXPECT_EQ(b.messages(), (std::vector<std::pair<std::string, std::string>>{
                                {CorrectionFailedText(kStaPath, refused), tx::CapInformation}}));
    EXPECT_EQ(review.shown, std::vector<int>{2});  // no further review: nothing can be corrected
    EXPECT_EQ(review.files[0].cannotChangeReason, refused.reason);  // told before the answer
    EXPECT_EQ(b.files.contents, bytes);
    EXPECT_EQ(b.set.concentration[1], static_cast<double>(records[0].concentrationGPerCm3));
    EXPECT_EQ(b.set.cell(1, 1)->kcr, static_cast<double>(records[0].kcr));
}

TEST(RecordBytes, AbortAndAbortLoadingCancelWithoutAMessage) {
    const std::string bytes = examples::RecordFileBytes(BytesTestRecords(true));
    {
        ReaderBench b(bytes, kStaPath);
        b.set.savedConcIndex = b.set.lastConcIndex;
        b.set.savedAngleIndex = b.set.lastAngleIndex;
        ScriptedRecordReview review;
        review.answer = [](ZebRecord&, int) { return ReviewAnswer::Abort; };
        EXPECT_EQ(ReadRecordBytes(bytes, b.in, review), kLoadCancelled);
        EXPECT_EQ(b.set.lastConcIndex, -1);
        EXPECT_TRUE(b.messages().empty());
        EXPECT_EQ(b.files.replaceCount, 0);
    }
    ReaderBench b(bytes, kStaPath);
    b.loading = false;  // "Abort Loading" pressed
    ContinueReview review;
    EXPECT_EQ(ReadRecordBytes(bytes, b.in, review), kLoadCancelled);
    EXPECT_TRUE(b.messages().empty());
}

TEST(RecordBytes, RefusedFilesSayWhyExactly) {
    ContinueReview review;
    const std::string header = examples::RecordFileBytes({});
    ASSERT_EQ(header.size(), 198u);
    ReaderBench empty(header, kStaPath);
    EXPECT_EQ(ReadRecordBytes(header, empty.in, review), kLoadFailed);
    EXPECT_EQ(empty.messages(), (std::vector<std::pair<std::string, std::string>>{{tx::NoDataRecord, tx::CapInformation}}));

    const std::string dos = "SOLU" + std::string(400, ' ');
    ReaderBench ascii(dos, kStaPath);
    EXPECT_EQ(ReadRecordBytes(dos, ascii.in, review), kLoadFailed);
    EXPECT_EQ(ascii.messages(),
              (std::vector<std::pair<std::string, std::string>>{{tx::RecordFileIsDosAscii, tx::CapError}}));
}

// A concentration table that answers from a script and keeps what it was shown.
struct ScriptedConcentrationTable : ConcentrationTable {
    std::function<TableAnswer(ConcentrationEntries&)> plt, plx;
    std::vector<ConcentrationEntries> shown;
    TableAnswer correctPlt(ConcentrationEntries& e, const ReviewedFile&) override {
        shown.push_back(e);
        return plt(e);
    }
    TableAnswer completePlx(ConcentrationEntries& e) override {
        shown.push_back(e);
        return plx(e);
    }
};

TEST(PltBytes, CorrectionIsWrittenBackAndTheSavedPlxReadsToTheSameData) {
    const auto model = examples::PolystyreneLarge();
    const std::string text = examples::PltText(model, {1e-3, 2e-3}, {30, 90, 150}, 5);
    ReaderBench b(text, "/lab/ps.plt");
    ScriptedConcentrationTable table;
    table.plt = [](ConcentrationEntries& e) {
        e.concentrationsGPerCm3[0] *= 2.0;
        return TableAnswer::Ok;
    };
    table.plx = [](ConcentrationEntries& e) {
        e.viscositiesMPas = {0.552f, 0.553f};
        return TableAnswer::Ok;
    };
    ReaderBench asRead(text, "/lab/ps.plt");
    KeepConcentrations keep;
    ASSERT_EQ(ReadPltBytes(text, asRead.in, keep), kLoadOk);

    ASSERT_EQ(ReadPltBytes(text, b.in, table), kLoadOk);
    ASSERT_EQ(table.shown.size(), 2u);
    EXPECT_EQ(table.shown[0].concentrationsGPerCm3, (std::vector<double>{asRead.set.concentration[1],
                                                                         asRead.set.concentration[2]}));
    EXPECT_EQ(table.shown[1].concentrationsGPerCm3[0], 2.0 * asRead.set.concentration[1]);
    EXPECT_EQ(b.set.concentration[1], 2.0 * asRead.set.concentration[1]);
    EXPECT_DOUBLE_EQ(b.set.cell(1, 2)->kcr, 2.0 * asRead.set.cell(1, 2)->kcr);
    EXPECT_EQ(b.set.cell(2, 2)->kcr, asRead.set.cell(2, 2)->kcr);
    EXPECT_EQ(b.set.viscosity[2], 0.553f);
    EXPECT_EQ(b.files.original, text);

    // The corrected file reads to the corrected data.
    ReaderBench again(b.files.contents, "/lab/ps.plt");
    ASSERT_EQ(ReadPltBytes(b.files.contents, again.in, keep), kLoadOk);
    EXPECT_EQ(again.set.concentration[1], b.set.concentration[1]);
    EXPECT_NEAR(again.set.cell(1, 2)->kcr / b.set.cell(1, 2)->kcr, 1.0, 1e-6);

    ASSERT_EQ(b.files.savedPlx.size(), 1u);
    ReaderBench plx(b.files.savedPlx[0], "/lab/ps.plx");
    ASSERT_EQ(ReadPlxBytes(b.files.savedPlx[0], plx.in), kLoadOk);
    EXPECT_EQ(plx.set.lastConcIndex, 2);
    EXPECT_EQ(plx.set.viscosity[2], 0.553f);
    EXPECT_NEAR(plx.set.cell(1, 2)->kcr / b.set.cell(1, 2)->kcr, 1.0, 1e-6);
}

TEST(PltBytes, AbortStoresNothingAndWritesNothing) {
    const std::string text =
        examples::PltText(examples::PolystyreneLarge(), {1e-3, 2e-3}, {30, 90, 150}, 5);
    ReaderBench b(text, "/lab/ps.plt");
    ScriptedConcentrationTable table;
    table.plt = [](ConcentrationEntries&) { return TableAnswer::Abort; };
    table.plx = [](ConcentrationEntries&) -> TableAnswer { ADD_FAILURE() << "no second table after Abort"; return TableAnswer::Ignore; };
    EXPECT_EQ(ReadPltBytes(text, b.in, table), kLoadCancelled);
    EXPECT_EQ(b.set.lastConcIndex, -1);
    EXPECT_EQ(b.files.replaceCount, 0);
    EXPECT_TRUE(b.files.savedPlx.empty());
    EXPECT_TRUE(b.messages().empty());
}

TEST(AscBytes, TableLoadsWithOnePercentErrorsAndMissingValuesAreCountedInOneMessage) {
    const std::string table = "2 3 0.001 0.002\n30 1.2e9 1.0e-6 1.1e-6\n60 4.5e9 1.2e-6 0\n90 8.9e9 -1 1.5e-6\n";
    ReaderBench b(table, "/lab/t.asc");
    ASSERT_EQ(ReadAscBytes(table, b.in), kLoadOk);
    EXPECT_EQ(b.set.lastConcIndex, 2);
    EXPECT_EQ(b.set.lastAngleIndex, 3);
    EXPECT_EQ(b.set.cell(2, 1)->kcr, static_cast<double>(1.1e-6f));
    EXPECT_DOUBLE_EQ(b.set.cell(2, 1)->kcrError, 0.01 * static_cast<double>(1.1e-6f));
    EXPECT_EQ(b.set.sourceName[2], "/lab/t.asc");
    EXPECT_EQ(b.messages(), (std::vector<std::pair<std::string, std::string>>{
                                {std::string(tx::MissingMeasurementValues) + "\n/lab/t.asc: 2 values.",
                                 tx::CapInformationLower}}));

    const std::string cut = "2 3 0.001 0.002\n30 1.2e9 1.0e-6 1.1e-6\n60 4.5e9 1.2e-6";
    ReaderBench c(cut, "/lab/cut.asc");
    EXPECT_EQ(ReadAscBytes(cut, c.in), kLoadFailed);
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].second, tx::CapInformation);
    EXPECT_EQ(c.messages()[0].first.rfind(tx::UnexpectedEndOfFile, 0), 0u) << c.messages()[0].first;
    EXPECT_NE(c.messages()[0].first.find("/lab/cut.asc"), std::string::npos);
}

} // namespace
} // namespace zeb
