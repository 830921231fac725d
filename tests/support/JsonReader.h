// A small JSON reader for tests of the batch tool's output: it accepts exactly
// the JSON grammar (objects, arrays, strings with escapes, numbers, true,
// false, null) and throws std::runtime_error on anything else, so a test that
// parses an output also checks that it is well-formed.
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zeb::test {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in the order written

    bool isNull() const { return kind == Kind::Null; }
    // The member with that key; throws when this is no object or the key is missing.
    const JsonValue& operator[](const std::string& key) const {
        if (kind != Kind::Object) throw std::runtime_error("not an object: ." + key);
        for (const auto& [k, v] : members)
            if (k == key) return v;
        throw std::runtime_error("no member " + key);
    }
    const JsonValue& operator[](std::size_t i) const {
        if (kind != Kind::Array || i >= items.size()) throw std::runtime_error("no array element");
        return items[i];
    }
    double num() const {
        if (kind != Kind::Number) throw std::runtime_error("not a number");
        return number;
    }
    std::vector<double> numbers() const {
        std::vector<double> out;
        for (const auto& v : items) out.push_back(v.num());
        return out;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const auto& [k, v] : members) out.push_back(k);
        return out;
    }
};

class JsonReader {
public:
    // Parses one value; only white space may follow it.
    static JsonValue Parse(const std::string& text) {
        JsonReader r(text);
        JsonValue v = r.value();
        r.blanks();
        if (r.pos_ != text.size()) r.fail("text after the value");
        return v;
    }

private:
    explicit JsonReader(const std::string& text) : s_(text) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
    }
    void blanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t'))
            ++pos_;
    }
    bool take(char c) {
        blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail(std::string("expected '") + c + "'");
    }
    bool word(const char* w) {
        const std::string ws(w);
        if (s_.compare(pos_, ws.size(), ws) != 0) return false;
        pos_ += ws.size();
        return true;
    }

    JsonValue value() {
        blanks();
        if (pos_ >= s_.size()) fail("unexpected end");
        JsonValue v;
        const char c = s_[pos_];
        if (c == '{') {
            v.kind = JsonValue::Kind::Object;
            ++pos_;
            if (take('}')) return v;
            do {
                blanks();
                if (pos_ >= s_.size() || s_[pos_] != '"') fail("expected a key");
                std::string key = string();
                expect(':');
                v.members.emplace_back(std::move(key), value());
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            v.kind = JsonValue::Kind::Array;
            ++pos_;
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (c == '"') {
            v.kind = JsonValue::Kind::String;
            v.text = string();
        } else if (word("true")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = true;
        } else if (word("false")) {
            v.kind = JsonValue::Kind::Bool;
        } else if (word("null")) {
            v.kind = JsonValue::Kind::Null;
        } else {
            v.kind = JsonValue::Kind::Number;
            v.number = number();
        }
        return v;
    }

    double number() {
        // -?(0|[1-9]d*)(.d+)?([eE][+-]?d+)?
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
            return pos_ - from;
        };
        if (pos_ < s_.size() && s_[pos_] == '-') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '0') ++pos_;
        else if (digits() == 0) fail("bad number");
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (digits() == 0) fail("bad fraction");
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (digits() == 0) fail("bad exponent");
        }
        return std::strtod(s_.substr(start, pos_ - start).c_str(), nullptr);
    }

    std::string string() {
        ++pos_;  // the opening quote
        std::string out;
        while (true) {
            if (pos_ >= s_.size()) fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(s_[pos_++]);
            if (c == '"') return out;
            if (c < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (pos_ >= s_.size()) fail("unterminated escape");
            const char e = s_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                if (pos_ + 4 > s_.size()) fail("short \\u escape");
                const unsigned long code = std::strtoul(s_.substr(pos_, 4).c_str(), nullptr, 16);
                pos_ += 4;
                if (code >= 0x80) fail("\\u escape beyond ASCII");  // the writer escapes only control characters
                out += static_cast<char>(code);
                break;
            }
            default: fail("bad escape");
            }
        }
    }

    const std::string& s_;
    std::size_t pos_ = 0;
};

} // namespace zeb::test
