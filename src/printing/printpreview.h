#pragma once

#include "printing/printvalues.h"

class QTextEdit;
class QWidget;

namespace printing {

class PrintTarget;

// Name of the preview window, so tests and screenshots can find it.
inline constexpr char kPreviewObjectName[] = "previewform";

// Shows in the toolkit's preview window the pages that printing edit with these values on
// target would give: the page rectangle is computed and stored on edit as printing does, and
// the pages come from the same layout code. Paper and orientation can't be changed there, so
// the preview never shows what wouldn't be printed. Its "Udskriv" closes it and gives true: the
// caller then prints through its own command. Throws PrintError when the pages can't be drawn.
bool previewRichText(QWidget *parent, QTextEdit *edit, const PrintValues &values,
                     PrintTarget &target);

} // namespace printing
