#pragma once

#include "store/fileresult.h"
#include "store/usererror.h"

namespace store {

// A whole-file read or write that failed where no command catches it.
class FileError : public UserError {
public:
    using UserError::UserError;
};

inline void throwIfFailed(const FileResult &result)
{
    if (!result.ok)
        throw FileError(result.error);
}

} // namespace store
