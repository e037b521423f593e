#pragma once

#include <QByteArray>

class QTextDocument;

namespace rtf {

// The document as RTF in the form the Windows rich-edit control writes, so that other word
// processors read it as they read that control's files.
QByteArray write(const QTextDocument &doc);

} // namespace rtf
