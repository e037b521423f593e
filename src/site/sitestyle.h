#pragma once

#include <QString>

namespace site {

// The style sheet every page carries inline: one column that fits a 360 px phone and stays a
// readable measure on a tablet, large touch targets, the page's colours at a contrast of more
// than 12:1, and a print style with one recipe per page. Nothing is fetched from elsewhere.
QString styleElement();

} // namespace site
