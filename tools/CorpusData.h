// The generated measurement files of the regression corpus: shapes the example
// files do not have (the largest grid, two concentrations, missing values,
// many concentrations in a number table, a PLX of several sources). The same
// call always gives the same bytes.
#pragma once

#include <string>
#include <vector>

namespace zeb::examples {

std::vector<std::string> CorpusFileNames();
std::string CorpusFile(const std::string& name);
// Writes every corpus file into dir; false when a file cannot be written.
bool WriteCorpusFiles(const std::string& dir);

} // namespace zeb::examples
