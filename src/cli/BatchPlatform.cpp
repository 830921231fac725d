#include "cli/BatchPlatform.h"

#include <cstdio>

namespace zeb {

MsgAnswer BatchPlatform::message(const std::string& text, const std::string& caption,
                                 MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return ScriptedPlatform::message(text, caption, buttons, icon, defaultAnswer);
}

} // namespace zeb
