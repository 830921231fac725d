#include "data/ReadProblem.h"

#include "texts/FileTexts.h"
#include "texts/ReadCheckTexts.h"

namespace zeb {

std::string ReadProblemText(const ReadProblem& problem, const std::string& path) {
    std::string text = problem.kind == ReadProblem::Kind::EndsEarly ? tx::UnexpectedEndOfFile : tx::InvalidDataFile;
    text += "\n" + path;
    if (problem.line > 0) text += ", line " + std::to_string(problem.line);
    return text + ": " + problem.what;
}

std::string ImpossibleValuesText(const char* lead, const std::string& path, const std::vector<std::string>& items,
                                 const char* noun, bool nothingLeft) {
    constexpr std::size_t kListed = 10;  // the rest are counted
    std::string text = std::string(lead) + "\n" + path + ":";
    for (std::size_t k = 0; k < items.size() && k < kListed; ++k) text += "\n" + items[k];
    if (items.size() > kListed) text += "\nand " + CountOf(static_cast<long long>(items.size() - kListed), std::string("more ") + noun) + ".";
    if (nothingLeft) text += std::string("\n") + tx::NothingLeftToLoad;
    return text;
}

} // namespace zeb
