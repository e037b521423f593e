#pragma once

#include <QString>

#include <functional>

class QWidget;

// Told how far the work has come (done of total); false when the user has asked to cancel.
using ProgressReport = std::function<bool(int done, int total)>;

// Runs work on a thread of its own while a progress dialog with "Annuller" stands over parent;
// the window goes on painting and answering. Returns when the work is done (a cancel is only
// asked of it: the work decides where it can stop whole).
void runWithProgress(QWidget *parent, const QString &label, const std::function<void(const ProgressReport &)> &work);
