// The platform of zebstat-batch: every message box goes to stderr as
// "CAPTION: TEXT", with "FILE: " in front where it concerns a file, and takes
// its default answer; dialogs answer their default ("Continue without any
// change"); there are no file dialogs and no clipboard.
#pragma once

#include "platform/ScriptedPlatform.h"

namespace zeb {

class BatchPlatform : public ScriptedPlatform {
public:
    MsgAnswer message(const std::string& text, const std::string& caption, MsgButtons buttons,
                      MsgIcon icon, MsgAnswer defaultAnswer) override;
};

} // namespace zeb
