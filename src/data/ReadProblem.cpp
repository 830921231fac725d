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

} // namespace zeb
