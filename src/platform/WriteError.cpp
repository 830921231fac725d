#include "platform/WriteError.h"

#include "texts/FileTexts.h"

namespace zeb {

std::string FileAndReason(const std::string& path, const WriteResult& result) {
    return path + ": " + result.reason;
}

std::string WriteErrorText(const std::string& path, const WriteResult& result) {
    return std::string(result.diskFull() ? tx::WriteErrorDiskSpace : tx::WriteErrorOther) + "\n\n" +
           FileAndReason(path, result);
}

} // namespace zeb
