#pragma once

#include "store/listchange.h"

#include <QString>

// "Der opstod en ukendt fejl.\rMåske er mappen i brug."
QString unknownErrorText();

// Tells the user why a change could not start (the area's lock was not to be had) and returns
// whether that was the case.
bool toldNotStarted(const store::ChangeResult &result, bool shared);
