#pragma once

namespace store {
class StorePaths;
}

// Creates every window of the program, hidden, in the fixed order in which each may read the
// fields of those made before it; the main window comes first.
void createWindows(const store::StorePaths &paths);

// Deletes them again: the scratch form, then the main window with the others, its children.
void destroyWindows();
