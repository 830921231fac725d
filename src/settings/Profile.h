// Profile (INI) files: sections in square brackets, "key=value" lines. Section,
// key and value texts are compared exactly and case-sensitively; a key may end
// in a blank ("Smoothing "). Writing one key replaces only that line and the
// whole file is replaced atomically, so a crash never leaves half a file.
//
// A ProfileFile reads the file once and answers every key from memory; a file
// far larger than any settings file (kMaxBytes) is not read at all.
#pragma once

#include "platform/AtomicFile.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zeb {

class ProfileFile {
public:
    // A settings file of the program holds a few kilobytes.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    enum class State {
        Read,        // read (possibly empty)
        Missing,     // no such file: every key has its default, a save creates it
        TooLarge,    // larger than kMaxBytes: not read, never replaced
        Unreadable,  // exists but cannot be read: never replaced
    };

    // Reads path once (nothing when it is missing, too large or unreadable).
    explicit ProfileFile(std::string path);
    // The file at path with these bytes (read elsewhere, or held in memory);
    // bytes beyond kMaxBytes make it TooLarge, as on disk.
    static ProfileFile FromText(std::string path, std::string_view text);

    const std::string& path() const { return path_; }
    State state() const { return state_; }
    // Why the file was not read (TooLarge, Unreadable), for the user.
    const std::string& problem() const { return problem_; }

    // The value of key in section, at most maxChars characters; defaultValue
    // (also cut to maxChars) when the file, the section or the key is missing.
    std::string get(const std::string& section, const std::string& key, const std::string& defaultValue,
                    std::size_t maxChars) const;
    // Sets one key in memory, creating the section as needed. False (and
    // nothing changes) when a text holds a line break or (section, key) a
    // bracket or an equals sign.
    bool set(const std::string& section, const std::string& key, const std::string& value);
    // Writes the whole file atomically. A file that was too large or could not
    // be read is not replaced (the result says why).
    WriteResult save() const;

private:
    struct Given {};
    ProfileFile(Given, std::string path) : path_(std::move(path)) {}
    void take(std::string_view text);
    void tooLarge();
    void index() const;

    std::string path_;
    State state_ = State::Missing;
    std::string problem_;
    std::vector<std::string> lines_;
    // (section, key) -> the line of its first occurrence; rebuilt after a set.
    mutable std::map<std::pair<std::string, std::string>, std::size_t> keys_;
    mutable bool indexed_ = false;
};

// One key read from the file at path (the file is read for this one key).
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path);

// Writes one key, creating the section and the file as needed. Returns false when
// the file could not be written or a text holds a line break or (section, key) a bracket/equals sign.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

} // namespace zeb
