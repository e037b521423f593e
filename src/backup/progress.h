#pragma once

#include <functional>

namespace backup {

// Told now and then how far a backup or restore has come (files done of total); returning false
// cancels it. Called on the thread that does the work.
using Progress = std::function<bool(int done, int total)>;

} // namespace backup
