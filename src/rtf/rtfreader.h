#pragma once

#include <QByteArray>

class QTextDocument;

namespace rtf {

// Replaces the whole content of doc by the RTF in data (plain text when data does not begin
// with "{\rtf"). Any input is read in linear time; what cannot be understood is left out.
void read(const QByteArray &data, QTextDocument *doc);

} // namespace rtf
