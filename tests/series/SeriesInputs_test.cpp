// The measurements a series command line names: files, folders and patterns
// in order, each folder's files by name, what names nothing as its problem.
#include "series/SeriesInputs.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zeb {
namespace {

TEST(SeriesInputs, FoldersAndPatternsGiveTheirFilesInNameOrderBetweenTheOtherInputs) {
    const test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    std::filesystem::create_directory(dir.path() / "folder" / "inner.sta");  // a folder, not a file
    std::filesystem::create_directory(dir.path() / "empty");
    for (const char* name : {"folder/b.sta", "folder/A.PLX", "folder/c.sta", "folder/notes.txt", "x1.asc", "x2.asc"})
        test::WriteFile(dir.file(name), "");
    const std::string d = dir.path().string() + "/";
    const SeriesList list =
        SeriesListOf({d + "folder", d + "single.sta", d + "x*.asc", d + "empty", d + "nothing*.sta"});

    const std::vector<std::pair<std::string, bool>> expected = {
        {d + "folder/A.PLX", false}, {d + "folder/b.sta", false}, {d + "folder/c.sta", false},
        {d + "single.sta", false},   {d + "x1.asc", false},       {d + "x2.asc", false},
        {d + "empty", true},         {d + "nothing*.sta", true}};
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const SeriesEntry e = list.entry(i);
        EXPECT_EQ(e.group, expected[i].first) << i;
        EXPECT_EQ(!e.problem.empty(), expected[i].second) << i;
        EXPECT_EQ(e.files, e.problem.empty() ? std::vector<std::string>{e.group} : std::vector<std::string>{}) << i;
    }
}

} // namespace
} // namespace zeb
