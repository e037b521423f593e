#pragma once

namespace store {
class StorePaths;
}

// Creates the main window, hidden, and tells every other window's slot how to make it (each
// with the main window's fields) when it is first used.
void createWindows(const store::StorePaths &paths);

// Deletes them again: the scratch form, then the main window with the others, its children,
// and forgets how to make them.
void destroyWindows();
