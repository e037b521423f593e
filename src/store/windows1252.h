#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace store {

// The 8-bit code page of list files, so that a data root copied from a Windows PC reads unchanged.
QString decodeWindows1252(const QByteArray &bytes);

// Empty when a character has no place in the code page.
std::optional<QByteArray> encodeWindows1252(const QString &text);

} // namespace store
