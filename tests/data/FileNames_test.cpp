// File names are bytes, not text: a name that is no UTF-8, or that holds
// control characters, comes back from a PLX file byte for byte, and every JSON
// output of the batch tool is valid UTF-8 from which the name can be recovered.
#include "LoadTestSupport.h"

#include "data/FileText.h"
#include "data/PltPlxContent.h"
#include "data/PltPlxWriter.h"
#include "data/TextLines.h"
#include "platform/CodePage.h"
#include "export/JsonDocument.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(FileNames, PlxSourceNamesComeBackByteForByte) {
    test::TempDir dir;
    test::LoadWindow w;
    ASSERT_TRUE(w.first(test::Write(dir, "ps.plx", examples::ExampleFile("ps-toluene.plx"))));
    const struct {
        std::string name;
        bool encoded;
    } cases[] = {
        {"/data/caf\xE9.sta", true},                // Latin-1, no UTF-8
        {"/data/caf\xC3\xA9.sta", false},           // UTF-8
        {"/data/\x1B[31mred.sta", true},            // ESC
        {"/data/two\r\nlines.sta", true},           // a line end
        {"/data/100%\xFF.sta", true},               // "%" beside a byte that needs it
        {"C:\\DATA\\100%41.STA", false},            // "%" alone: written as it is
        {"/data/\xE2\x94\x9C\xC2\xAE.sta", false},  // "├®": its code page 850 bytes would read as UTF-8
        {"/data/cut\xE2\x82", true},                // a character cut off at 260 bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.set().sourceName[1] = c.name;
        PltPlxWriteRequest request;
        const std::string text = FormatPltPlxFile(w.set(), request);
        EXPECT_FALSE(BinaryByteAt(text)) << "the file stays text";
        EXPECT_EQ(text.find("(percent-encoded): ") != std::string::npos, c.encoded);
        const PltPlxContent read = ParsePltPlx(text, true, {});
        ASSERT_EQ(read.sourceNames.size(), 3u);
        EXPECT_EQ(read.sourceNames[0], c.name);
    }
    // A file of the older programs: a "%" in a name is no escape there.
    std::string old = examples::ExampleFile("ps-toluene.plx");
    const std::string first = "from file: ps1e6-toluene-c1.sta";
    ASSERT_NE(old.find(first), std::string::npos);
    old.replace(old.find(first), first.size(), "from file: C:\\DATA\\A%41.STA");
    EXPECT_EQ(ParsePltPlx(old, true, {}).sourceNames[0], "C:\\DATA\\A%41.STA");
    EXPECT_EQ(PercentDecode("A%41%4g%"), "AA%4g%");
}

TEST(FileNames, BatchOutputsAreUtf8AndNameTheFileThatWasRead) {
    test::TempDir dir;
    const std::string name = "caf\xE9\x1B.sta";
    const std::string path = test::Write(dir, name, examples::ExampleFile("ps-static.sta"));
    const std::string zeb = dir.file("e.zeb"), plx = dir.file("out.plx");
    const test::CommandResult r = test::RunBatch({"eval", "--dump", "--json", "--save-session", zeb, "--export-plx", plx, path});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string escaped = "caf\\udce9\\u001b.sta";
    for (const std::string& output : {r.out, test::ReadFile(zeb)}) {
        EXPECT_TRUE(IsUtf8(output));
        EXPECT_NE(output.find(escaped), std::string::npos);
    }
    // The escapes read back as the name's bytes.
    const auto parsed = jsondoc::Parse(test::ReadFile(zeb));
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_EQ(parsed.value->find("files")->items.at(0).find("path")->text, name);
    // The saved evaluation finds its file again; the PLX written names it as the record file did.
    EXPECT_EQ(test::RunBatch({"eval", "--session", zeb, "--json"}).status, 0);
    const test::CommandResult again = test::RunBatch({"eval", "--dump", plx});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("\"source\": " + jsondoc::Quote(path)), std::string::npos);
}

} // namespace
} // namespace zeb
