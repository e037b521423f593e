#pragma once

#include "store/listchange.h"

#include <QString>

// "Der opstod en ukendt fejl.\rMåske er mappen i brug."
QString unknownErrorText();

// What "Indfør" says of a refused name at a level (1 main category ... 4 ingredient line).
QString refusalText(int level, store::NameRefusal refusal);

// Tells the user why a change could not start (the area's lock was not to be had) and returns
// whether that was the case.
bool toldNotStarted(const store::ChangeResult &result, bool shared);
