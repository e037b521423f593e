#pragma once

#include <QIcon>

// Small drawn icons for the editor's tool bar, so the program needs no icon theme.
namespace toolicons {

enum class Letter { Bold, Italic, Underline, StrikeOut };

QIcon letter(Letter kind);
QIcon alignment(Qt::Alignment align);
QIcon bullets();
QIcon webSearch(const QString &letter, const QColor &color);
QIcon menuArrow();
QIcon save();
QIcon reload();

} // namespace toolicons
