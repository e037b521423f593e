#pragma once

class QTextCursor;

// Rewrites °F as °C in a formatted text, fragment by fragment: only the characters that change
// are replaced, each with the format it had, so the rest keeps its formatting. Returns whether
// anything changed; the cursor's document takes the changes as one edit where the caller has
// opened an edit block on it.
bool rewriteTemperatures(QTextCursor &cursor);
