#pragma once

#include "store/usererror.h"

namespace printing {

// A print command that can't go on: a value that is no number, no printer, a refused job.
class PrintError : public store::UserError {
public:
    using UserError::UserError;
};

} // namespace printing
