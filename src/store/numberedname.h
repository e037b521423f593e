#pragma once

#include "store/listchange.h"

#include <QString>

#include <functional>

namespace store {

// "name", then "name (2)", "name (3)" … for as long as the store answers that a name is taken.
// attempt inserts under the name it is given and returns the list change's result; the name of
// the last attempt is returned.
QString insertNumbered(const QString &name, const std::function<ChangeResult(const QString &)> &attempt);

// Whether a list change refused a name only because the list holds it already.
inline bool isTaken(const ChangeResult &result)
{
    return result.outcome == ChangeOutcome::Refused && result.refusal == NameRefusal::Duplicate;
}

} // namespace store
