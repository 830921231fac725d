// A record of values for other programs: null, true/false, whole numbers,
// numbers, texts, lists and objects whose members keep their order. The batch
// tool writes records as JSON text (RecordJson); the Python module turns them
// into Python's own values directly. Numbers that are not finite are null.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

class Record {
public:
    enum class Kind { Null, Bool, Whole, Number, Text, List, Object };

    Record() = default;  // null
    static Record Null() { return {}; }
    static Record Bool(bool value);
    static Record Whole(long long value);
    static Record Number(double value);  // null when not finite
    // A number known to this many significant digits (a value stored as a float): written so.
    static Record Number(double value, int significantDigits);
    static Record Number(const std::optional<double>& value);
    static Record Text(std::string value);
    static Record List(std::vector<Record> items = {});
    static Record Numbers(const std::vector<double>& values);
    static Record Object();

    // Adds a member to an object (kept in the order added); returns *this.
    Record& add(std::string key, Record value);
    // Gives the member named key this value (added at the end when there is none).
    Record& set(const std::string& key, Record value);
    // Inserts a member before the member named `before` (at the end when there is none).
    Record& insertBefore(const std::string& before, std::string key, Record value);
    // Appends to a list.
    Record& push(Record value);

    Kind kind() const { return kind_; }
    bool boolean() const { return boolean_; }
    long long whole() const { return whole_; }
    double number() const { return number_; }
    int significantDigits() const { return digits_; }
    const std::string& text() const { return text_; }
    const std::vector<Record>& items() const { return items_; }
    const std::vector<std::pair<std::string, Record>>& members() const { return members_; }
    // The member named key, or nullptr.
    const Record* find(const std::string& key) const;

private:
    Kind kind_ = Kind::Null;
    bool boolean_ = false;
    long long whole_ = 0;
    double number_ = 0.0;
    int digits_ = 17;
    std::string text_;
    std::vector<Record> items_;
    std::vector<std::pair<std::string, Record>> members_;
};

// The record as one line of JSON: members as "key": value joined by ", ",
// numbers with 17 significant digits, texts escaped.
std::string RecordJson(const Record& record);

} // namespace zeb
