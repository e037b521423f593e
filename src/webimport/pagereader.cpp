#include "webimport/pagereader.h"

#include "webimport/libgumbo.h"

#include "webimport/htmlrecipe.h"
#include "webimport/jsonldrecipe.h"
#include "webimport/jsonmend.h"
#include "webimport/linetidy.h"
#include "webimport/pagedecode.h"

#include <QUrl>

namespace webimport {

const QString kNoRecipe = QStringLiteral("Siden indeholder ingen opskrift, som kan hentes.");
const QString kNotAPage = QStringLiteral("Filen er hverken en webside eller en opskrift.");

namespace {

bool looksLikeJson(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        return c == '{' || c == '[';
    }
    return false;
}

// Text with a NUL byte or mostly control bytes is a picture, an archive or the like.
bool looksBinary(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(4096);
    return head.contains('\0') && !head.startsWith("\xFF\xFE") && !head.startsWith("\xFE\xFF");
}

void finish(Recipe *recipe, const QString &source, bool *capped)
{
    tidyLines(recipe);
    if (recipe->ingredients.size() > kMaxLines) {
        recipe->ingredients.resize(kMaxLines);
        *capped = true;
    }
    if (recipe->steps.size() > kMaxLines) {
        recipe->steps.resize(kMaxLines);
        *capped = true;
    }
    const QUrl base(source);
    if (!recipe->image.isEmpty() && base.isValid() && !base.isRelative() && !base.isLocalFile())
        recipe->image = base.resolved(QUrl(recipe->image)).toString();
    const QUrl image(recipe->image);
    if (image.scheme() != QLatin1String("http") && image.scheme() != QLatin1String("https"))
        recipe->image.clear();
    recipe->source = source;
    // A saved page is known by the address it came from, not by the file it was saved to.
    const QUrl own(recipe->pageAddress.trimmed());
    const bool web = base.scheme() == QLatin1String("http") || base.scheme() == QLatin1String("https");
    if (!web && own.isValid() && (own.scheme() == QLatin1String("http") || own.scheme() == QLatin1String("https"))
        && !own.host().isEmpty())
        recipe->source = own.toString();
    recipe->pageAddress.clear();
}

} // namespace

ReadResult readRecipe(const QByteArray &bytes, const QString &contentType, const QString &source)
{
    ReadResult result;
    if (!gumbo(&result.error))
        return result;
    if (bytes.size() > kMaxPageBytes) {
        result.error = QStringLiteral("Siden er større end %1 MB og hentes ikke.").arg(kMaxPageBytes / 1024 / 1024);
        return result;
    }
    std::optional<Recipe> recipe;
    if (looksLikeJson(bytes)) {
        bool ok = false;
        const QJsonValue value = parseJsonLd(bytes, &ok);
        if (!ok) {
            result.error = kNotAPage;
            return result;
        }
        recipe = recipeFromJsonLd(value);
    } else {
        QString type = contentType;
        QString address;
        const QByteArray html = htmlOfMhtml(bytes, &type, &address);
        const QString lowerType = type.toLower();
        const bool htmlType = lowerType.isEmpty() || lowerType.contains(QLatin1String("html"))
            || lowerType.startsWith(QLatin1String("text/plain"));
        if (!htmlType || looksBinary(html)) {
            result.error = kNotAPage;
            return result;
        }
        recipe = recipeFromHtml(decodePage(html, type));
        if (recipe && !address.isEmpty())
            recipe->pageAddress = address;
    }
    if (!recipe || recipe->isEmpty()) {
        result.error = kNoRecipe;
        return result;
    }
    result.ok = true;
    result.recipe = *recipe;
    finish(&result.recipe, source, &result.capped);
    return result;
}

} // namespace webimport
