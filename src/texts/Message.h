// A message for the user as data: its text, caption and icon. The numeric
// kernels and the evaluation hand their messages to a MessageSink; the window
// shows them as message boxes (the Platform is a sink), the evaluation keeps
// them in a MessageLog for its caller.
#pragma once

#include <string>
#include <vector>

namespace zeb {

// The icons of a message box. "Stop" is the stop (error, hand) icon, "Exclamation"
// the warning icon.
enum class MsgIcon { None, Stop, Exclamation, Information, Question };

struct Message {
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::None;
    bool operator==(const Message&) const = default;
};

// Takes messages that need no answer.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void inform(const std::string& text, const std::string& caption, MsgIcon icon) = 0;
};

// Keeps the messages in the order they came.
class MessageLog : public MessageSink {
public:
    void inform(const std::string& text, const std::string& caption, MsgIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::vector<Message> messages;
};

} // namespace zeb
