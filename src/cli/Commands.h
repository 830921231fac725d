// The subcommands of zebstat-batch. Each returns the exit status: 0 success,
// 1 a load failed, 2 bad usage (one line on stderr says why).
#pragma once

#include "evaluation/OptionTable.h"

#include <string>
#include <vector>

namespace zeb::cli {

int RunFit(const std::vector<std::string>& args);
int RunEval(const std::vector<std::string>& args);
int RunFormFactor(const std::vector<std::string>& args);
int RunSeries(const std::vector<std::string>& args);

// Thrown by argument parsing and by options the data cannot take; main prints
// the text and exits with 2. The option checks the Python module shares throw
// the same type.
using UsageError = OptionError;

} // namespace zeb::cli
