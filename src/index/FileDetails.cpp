#include "index/FileDetails.h"

#include <cerrno>

#include "core/DateText.h"
#include "core/DecimalText.h"
#include "core/EngineError.h"
#include "core/ErrorCodes.h"
#include "core/LongPath.h"
#include "index/FileTimes.h"
#include "index/IndexFormat.h"

namespace zephrix {

std::string GetFileDetails(const std::string& fullPath, ErrorReporter* errors)
{
    struct statx details {};
    if (const int err = statxAnyLength(AT_FDCWD, fullPath, FileDetailsFlags, FileDetailsMask, details)) {
        // A folder on the way that is gone or became a file: the file is gone too.
        if (err == ENOENT || err == ENOTDIR)
            return "|Deleted|Deleted";
        if (errors) {
            const EngineError error = EngineError::fromErrno(err, fullPath);
            errors->reportError(Locations::GetFileDetails, error.number, error.description);
        }
        return {};
    }
    std::string text;
    appendDecimal(text, details.stx_size);
    text.push_back(IndexFormat::FieldSeparator);
    appendDateText(text, toLocalDateTime(creationSeconds(details)));
    text.push_back(IndexFormat::FieldSeparator);
    appendDateText(text, toLocalDateTime(modificationSeconds(details)));
    return text;
}

} // namespace zephrix
