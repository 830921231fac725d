// What is wrong with a file a reader refuses, as data: the parsers of the text
// formats throw it, the reader turns it into one message naming the file and
// the line.
#pragma once

#include <string>
#include <vector>

namespace zeb {

struct ReadProblem {
    enum class Kind {
        EndsEarly,  // a line, list, row or number is missing at the end
        Invalid,    // something is there that the format does not allow
    };
    Kind kind = Kind::Invalid;
    int line = 0;  // 1-based; 0 when no line can be named
    std::string what;
};

// Thrown by the parsers.
struct ReadFailure {
    ReadProblem problem;
};

[[noreturn]] inline void Refuse(ReadProblem::Kind kind, int line, std::string what) {
    throw ReadFailure{ReadProblem{kind, line, std::move(what)}};
}

// "1 value", "3 values".
inline std::string CountOf(long long n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// "Unexpected end of file ! Invalid data file !" or "Invalid data file !
// Nothing of it is loaded.", then "PATH, line N: what".
std::string ReadProblemText(const ReadProblem& problem, const std::string& path);

// Values no measurement can have, left out of a file: lead, then "PATH:", the
// first ten items ("record 3: angle 0\u00b0"), "and N more <noun>s." for the
// rest, and the line NothingLeftToLoad when nothing of the file is left.
std::string ImpossibleValuesText(const char* lead, const std::string& path, const std::vector<std::string>& items,
                                 const char* noun, bool nothingLeft);

} // namespace zeb
