// The subcommands of zebstat-batch. Each returns the exit status: 0 success,
// 1 a load failed, 2 bad usage (one line on stderr says why).
#pragma once

#include <string>
#include <vector>

namespace zeb::cli {

int RunFit(const std::vector<std::string>& args);
int RunEval(const std::vector<std::string>& args);
int RunFormFactor(const std::vector<std::string>& args);

// Thrown by argument parsing; main prints the text and exits with 2.
struct UsageError {
    std::string text;
};

} // namespace zeb::cli
