#include "store/numberedname.h"

namespace store {

namespace {

// More copies of one name than anyone keeps: past it the last refusal stands.
constexpr int kMaxNumber = 1000;

} // namespace

QString insertNumbered(const QString &name, const std::function<ChangeResult(const QString &)> &attempt)
{
    QString used;
    for (int n = 1; n <= kMaxNumber; ++n) {
        used = n == 1 ? name : QStringLiteral("%1 (%2)").arg(name).arg(n);
        if (!isTaken(attempt(used)))
            break;
    }
    return used;
}

} // namespace store
