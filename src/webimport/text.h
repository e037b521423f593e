#pragma once

#include <QString>

namespace webimport {

// A string from a page as plain text: tags dropped, entities resolved, runs of white space one
// space, trimmed; cut to kMaxLineLength.
QString plainText(const QString &fromPage);

// White space runs (also non-breaking spaces) to one space, trimmed.
QString squeezed(const QString &text);

// "PT1H30M" -> "1 time 30 min"; a text that is no ISO 8601 duration is kept as written.
QString danishDuration(const QString &iso);

// Whole minutes of an ISO 8601 duration; 0 when the text is none.
int minutesOf(const QString &iso);

} // namespace webimport
