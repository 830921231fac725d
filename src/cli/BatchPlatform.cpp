#include "cli/BatchPlatform.h"

#include <cstdio>

namespace zeb {

MsgAnswer BatchPlatform::message(const std::string& text, const std::string& caption,
                                 MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) {
    // "FILE: CAPTION: TEXT" where a file is concerned, else "CAPTION: TEXT".
    if (messageFile().empty())
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    else
        std::fprintf(stderr, "%s: %s: %s\n", messageFile().c_str(), caption.c_str(), text.c_str());
    return ScriptedPlatform::message(text, caption, buttons, icon, defaultAnswer);
}

} // namespace zeb
