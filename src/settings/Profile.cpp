#include "settings/Profile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// "[name]" (blanks around the brackets allowed) gives name.
bool sectionName(const std::string& line, std::string& name) {
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') return false;
    const std::size_t close = line.find(']', open + 1);
    if (close == std::string::npos) return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool keyOf(const std::string& line, std::string& key, std::string& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = line.substr(0, eq);
    value = line.substr(eq + 1);
    return true;
}

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return;  // Missing
        state_ = State::Unreadable;
        problem_ = ErrorText(errno);
        return;
    }
    struct stat st{};
    std::string text;
    if (::fstat(fd, &st) != 0) {
        state_ = State::Unreadable;
        problem_ = ErrorText(errno);
    } else if (!S_ISREG(st.st_mode)) {
        state_ = State::Unreadable;
        problem_ = "not a regular file";
    } else if (static_cast<std::uintmax_t>(st.st_size) > kMaxBytes) {
        state_ = State::TooLarge;
    } else {
        state_ = State::Read;
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                state_ = State::Unreadable;
                problem_ = ErrorText(errno);
                break;
            }
            if (n == 0) break;
            text.append(buf, static_cast<std::size_t>(n));
            if (text.size() > kMaxBytes) {  // it grew while it was read
                state_ = State::TooLarge;
                break;
            }
        }
    }
    ::close(fd);
    if (state_ == State::Read) take(text);
    else if (state_ == State::TooLarge) tooLarge();
}

ProfileFile ProfileFile::FromText(std::string path, std::string_view text) {
    ProfileFile file(Given{}, std::move(path));
    file.take(text);
    return file;
}

void ProfileFile::tooLarge() {
    state_ = State::TooLarge;
    lines_.clear();
    problem_ = "the file is larger than " + std::to_string(kMaxBytes / 1024) + " KB, far more than settings take";
}

void ProfileFile::take(std::string_view text) {
    if (text.size() > kMaxBytes) return tooLarge();
    state_ = State::Read;
    lines_ = splitLines(std::string(text));
}

void ProfileFile::index() const {
    if (indexed_) return;
    keys_.clear();
    std::string section;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string name, k, v;
        if (sectionName(lines_[i], name)) {
            section = name;
            inSection = true;
        } else if (inSection && keyOf(lines_[i], k, v)) {
            keys_.emplace(std::make_pair(section, k), i);  // the first occurrence answers
        }
    }
    indexed_ = true;
}

std::string ProfileFile::get(const std::string& section, const std::string& key, const std::string& defaultValue,
                             std::size_t maxChars) const {
    index();
    const auto it = keys_.find({section, key});
    if (it == keys_.end()) return defaultValue.substr(0, maxChars);
    std::string k, v;
    keyOf(lines_[it->second], k, v);
    return v.substr(0, maxChars);
}

bool ProfileFile::set(const std::string& section, const std::string& key, const std::string& value) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
        section.find(']') != std::string::npos || key.find('=') != std::string::npos || key.empty() ||
        key.front() == '[')
        return false;
    const std::string newLine = key + "=" + value;

    bool inSection = false;
    std::ptrdiff_t sectionEnd = -1;  // index after the last non-blank line of the section
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string name, k, v;
        if (sectionName(lines_[i], name)) {
            if (inSection) break;
            inSection = name == section;
            if (inSection) sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        } else if (inSection) {
            if (keyOf(lines_[i], k, v) && k == key) {
                lines_[i] = newLine;
                sectionEnd = -2;
                break;
            }
            if (lines_[i].find_first_not_of(" \t") != std::string::npos)
                sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        }
    }
    if (sectionEnd == -1) {
        if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        lines_.push_back(newLine);
    } else if (sectionEnd >= 0) {
        lines_.insert(lines_.begin() + sectionEnd, newLine);
    }
    indexed_ = false;
    return true;
}

WriteResult ProfileFile::save() const {
    // A file that was not read cannot be written with one key replaced.
    if (state_ == State::TooLarge) return WriteResult::Failure(EFBIG, problem_);
    if (state_ == State::Unreadable) return WriteResult::Failure(EIO, "the file cannot be read: " + problem_);
    std::string out;
    for (const auto& line : lines_) out += line + "\n";
    return WriteFileAtomically(path_, out);
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t maxChars,
                                    const std::string& path) {
    return ProfileFile(path).get(section, key, defaultValue, maxChars);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    ProfileFile file(path);
    return file.set(section, key, value) && file.save();
}

} // namespace zeb
