// The usage texts of zebstat-batch: one for the whole program and one for each
// command. `--help` prints them on standard output; bad usage prints them on
// standard error.
#pragma once

#include <string>
#include <vector>

namespace zeb::cli {

extern const char* const kVersionText;  // "zebstat-batch " and the version of the build

const char* ProgramUsage();
// The usage of one command ("eval", "fit", "formfactor"); nullptr for any other name.
const char* CommandUsage(const std::string& command);

// True when the arguments of a command ask for its help: "--help" or "-h" among
// them, before a "--" that ends the options.
bool AsksForHelp(const std::vector<std::string>& args);

} // namespace zeb::cli
