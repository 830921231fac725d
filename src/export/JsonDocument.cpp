#include "export/JsonDocument.h"

#include "data/CFormat.h"
#include "platform/CodePage.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace zeb::jsondoc {

const Value* Value::find(const std::string& key) const {
    for (const auto& [k, v] : members)
        if (k == key) return &v;
    return nullptr;
}

namespace {

struct Failure {
    std::size_t at;
    std::string what;
};

class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}

    Value document() {
        Value v = value(0);
        blanks();
        if (pos_ != s_.size()) fail("text after the end of the JSON value");
        return v;
    }

    [[noreturn]] void fail(const std::string& what) { throw Failure{pos_, what}; }

private:
    void blanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
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

    void expect(char c, const char* what) {
        if (!take(c)) fail(what);
    }

    bool word(const char* w) {
        std::size_t n = 0;
        while (w[n]) ++n;
        if (s_.compare(pos_, n, w) != 0) return false;
        pos_ += n;
        return true;
    }

    Value value(int depth) {
        if (depth > kMaxDepth) fail("nested too deeply");
        blanks();
        if (pos_ >= s_.size()) fail("the text ends where a value should follow");
        Value v;
        const char c = s_[pos_];
        if (c == '{') {
            ++pos_;
            v.kind = Value::Kind::Object;
            if (take('}')) return v;
            do {
                blanks();
                if (pos_ >= s_.size() || s_[pos_] != '"') fail("a key in double quotes expected");
                std::string key = string();
                if (v.find(key)) fail("the key \"" + key + "\" appears twice");
                expect(':', "':' expected after a key");
                Value member = value(depth + 1);
                v.members.emplace_back(std::move(key), std::move(member));
            } while (take(','));
            expect('}', "',' or '}' expected");
            return v;
        }
        if (c == '[') {
            ++pos_;
            v.kind = Value::Kind::Array;
            if (take(']')) return v;
            do v.items.push_back(value(depth + 1));
            while (take(','));
            expect(']', "',' or ']' expected");
            return v;
        }
        if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = string();
            return v;
        }
        if (word("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
            return v;
        }
        if (word("false")) {
            v.kind = Value::Kind::Bool;
            return v;
        }
        if (word("null")) return v;
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        fail("a value expected");
    }

    static bool digit(char c) { return c >= '0' && c <= '9'; }

    Value number() {
        const std::size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        if (pos_ >= s_.size() || !digit(s_[pos_])) fail("a digit expected");
        if (s_[pos_] == '0') ++pos_;
        else
            while (pos_ < s_.size() && digit(s_[pos_])) ++pos_;
        bool integral = true;
        if (pos_ < s_.size() && s_[pos_] == '.') {
            integral = false;
            ++pos_;
            if (pos_ >= s_.size() || !digit(s_[pos_])) fail("a digit expected after the decimal point");
            while (pos_ < s_.size() && digit(s_[pos_])) ++pos_;
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            integral = false;
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (pos_ >= s_.size() || !digit(s_[pos_])) fail("a digit expected in the exponent");
            while (pos_ < s_.size() && digit(s_[pos_])) ++pos_;
        }
        // from_chars reads with a point whatever the locale says.
        double x = 0.0;
        const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, x);
        if (ec != std::errc() || end != s_.data() + pos_ || !std::isfinite(x)) {
            pos_ = start;
            fail("a number out of range");
        }
        Value v;
        v.kind = Value::Kind::Number;
        v.number = x;
        v.integral = integral;
        return v;
    }

    unsigned hex4() {
        if (pos_ + 4 > s_.size()) fail("four hex digits expected after \\u");
        unsigned u = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = s_[pos_++];
            u <<= 4;
            if (h >= '0' && h <= '9') u |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') u |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') u |= static_cast<unsigned>(h - 'A' + 10);
            else fail("four hex digits expected after \\u");
        }
        return u;
    }

    std::string string() {
        ++pos_;  // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= s_.size()) fail("a string is not closed");
            const char c = s_[pos_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) {
                --pos_;
                fail("a control character inside a string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size()) fail("a string is not closed");
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
                unsigned cp = hex4();
                // A byte that is no UTF-8, as Quote writes it.
                if (cp >= 0xDC80 && cp <= 0xDCFF) {
                    out += static_cast<char>(cp - 0xDC00);
                    break;
                }
                if (cp >= 0xDC00 && cp <= 0xDFFF) fail("a lone low surrogate in \\u escapes");
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    if (pos_ + 2 > s_.size() || s_[pos_] != '\\' || s_[pos_ + 1] != 'u')
                        fail("a high surrogate without its low surrogate");
                    pos_ += 2;
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF) fail("a high surrogate without its low surrogate");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                if (cp == 0) fail("a NUL character inside a string");
                AppendUtf8(out, cp);
                break;
            }
            default: --pos_; fail("an unknown escape in a string");
            }
        }
    }

    const std::string& s_;
    std::size_t pos_ = 0;
};

std::string position(const std::string& text, std::size_t at) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return CFormat("line %zu, column %zu", line, column);
}

} // namespace

ParseResult Parse(const std::string& text) {
    ParseResult result;
    try {
        Reader reader(text);
        result.value = reader.document();
    } catch (const Failure& f) {
        result.error = position(text, f.at) + ": " + f.what;
    }
    return result;
}

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            const std::size_t n = Utf8SequenceAt(s, i);
            if (n == 0) {
                out += CFormat("\\udc%02x", static_cast<unsigned>(c));
            } else {
                out.append(s, i, n);
                i += n - 1;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) out += CFormat("\\u%04x", static_cast<unsigned>(c));
            else out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Number(double v) { return std::isfinite(v) ? CFormat("%.17g", v) : "null"; }

} // namespace zeb::jsondoc
