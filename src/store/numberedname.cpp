#include "store/numberedname.h"

namespace store {

QString insertNumbered(const QString &name, const std::function<ChangeResult(const QString &)> &attempt)
{
    // Each refusal as taken names one more entry of a finite list, so the search ends; no
    // number is too high.
    for (qint64 n = 1;; ++n) {
        const QString used = n == 1 ? name : QStringLiteral("%1 (%2)").arg(name).arg(n);
        if (!isTaken(attempt(used)))
            return used;
    }
}

} // namespace store
