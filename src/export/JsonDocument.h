// A strict reader of JSON text for the files the program reads back (saved
// evaluations): the JSON grammar and nothing else, with limits on nesting and
// on the length of the text, duplicate keys refused. A failure says where:
// "line L, column C: what".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb::jsondoc {

struct Member;

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    bool integral = false;  // written without fraction and exponent
    std::string text;       // a string's bytes (escapes resolved, UTF-8)
    std::vector<Value> items;
    // In the order written. (A pair of a key and a Value could not be declared
    // inside Value: std::pair needs complete types.)
    std::vector<Member> members;

    const Value* find(const std::string& key) const;
    bool isNull() const { return kind == Kind::Null; }
};

struct Member {
    std::string first;  // the key
    Value second;
    Member(std::string key, Value value) : first(std::move(key)), second(std::move(value)) {}
};

struct ParseResult {
    std::optional<Value> value;
    std::string error;  // "line L, column C: what" when value is empty
};

inline constexpr int kMaxDepth = 32;

ParseResult Parse(const std::string& text);

// The JSON form of a string (quoted, escaped) and of a number (17 significant
// digits, C locale). The text is always valid UTF-8: a byte that is not part of
// a UTF-8 character (a file name in another encoding, "caf\xE9.sta") is written
// as the escape \udcXX, the lone low surrogate U+DC00 + byte, as Python's
// "surrogateescape" writes such bytes (os.fsencode gives them back). Parse turns
// these escapes back into the bytes, so a name read back is the name written.
std::string Quote(const std::string& s);
std::string Number(double v);

} // namespace zeb::jsondoc
