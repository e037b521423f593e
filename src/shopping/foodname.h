#pragma once

#include <QString>

namespace shopping {

// The food a name means, for telling whether two lines buy the same thing: letter case,
// accents, "18 %"/"18%", and singular and plural ("gulerod"/"gulerødder", "kartoffel"/
// "kartofler", "tomato"/"tomatoes") come out the same. Only ever compared, never shown.
QString foodKey(const QString &name);

// The name without how the food is cut or what it is for, where the reader left it on the name:
// "gulerødder i tern" is "gulerødder", "smør til fyld" is "smør".
QString withoutCut(const QString &name);

} // namespace shopping
