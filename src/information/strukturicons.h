#pragma once

#include <QIcon>
#include <QList>

// The eight 16 × 16 icons of the help window's topic tree and buttons, drawn so the program
// needs no icon theme: 0 closed book, 1 open book, 2 keyboard, 3 settings, 4 page, 5 unfold,
// 6 fold, 7 page with pencil.
namespace strukturicons {

QList<QIcon> strukturList();

} // namespace strukturicons
