// Where this build's files are: the source tree, the test data, the programs
// under test and the folder of the screenshots. They are defined in one file
// the build generates, so that no other compiled file holds a path of this
// clone and a second clone finds the objects in the compiler cache.
#pragma once

namespace zeb::test::build {

const char* SourceDir();
const char* TestDataDir();
const char* BatchExe();
// "" in a build without the desktop program.
const char* DesktopExe();
const char* ScreenshotDir();

} // namespace zeb::test::build
