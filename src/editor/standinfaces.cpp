#include "editor/standinfaces.h"

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace standinfaces {

namespace {

struct StandIn {
    const char *windowsFace;
    const char *debianFace; // and the package it comes in
};

// Each menu face gets a face of its own, so the eight look different.
constexpr StandIn kStandIns[] = {
    {"Verdana", "DejaVu Sans"},             // fonts-dejavu-core: Verdana's wide, open shapes
    {"Tahoma", "Open Sans"},                // fonts-open-sans: a narrower humanist sans
    {"Segoe UI", "Open Sans"},
    {"Georgia", "DejaVu Serif"},            // fonts-dejavu-core: a large screen serif
    {"Lucida Console", "DejaVu Sans Mono"}, // fonts-dejavu-core
    {"Lucida Calligraphy", "Z003"},         // fonts-urw-base35: a chancery hand
    {"Segoe Print", "Comic Neue"},          // fonts-comic-neue: handwriting in print
    {"Comic Sans MS", "Comic Neue"},
};

// Mapped by fontconfig's own metric aliases.
constexpr const char *kMetricFaces[] = {"Arial", "Times New Roman", "Courier New", "Calibri", "Cambria"};

QByteArray rules()
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                     "<fontconfig>\n";
    // "same": the stand-in binds as strongly as the name asked for, ahead of the default faces.
    for (const StandIn &s : kStandIns)
        xml += QByteArray("<alias binding=\"same\"><family>") + s.windowsFace
            + "</family><accept><family>" + s.debianFace + "</family></accept></alias>\n";
    return xml + "</fontconfig>\n";
}

} // namespace

void addRules()
{
    static std::mutex mutex;
    // Held, so that no later configuration can take its address.
    static FcConfig *withRules = nullptr;
    const std::lock_guard<std::mutex> lock(mutex);
    FcConfig *current = FcConfigGetCurrent();
    if (current == withRules)
        return;
    const QByteArray xml = rules();
    FcConfigParseAndLoadFromMemory(current, reinterpret_cast<const FcChar8 *>(xml.constData()), FcTrue);
    if (withRules)
        FcConfigDestroy(withRules);
    withRules = FcConfigReference(current);
}

QStringList windowsFaces()
{
    QStringList faces;
    for (const char *face : kMetricFaces)
        faces.append(QString::fromLatin1(face));
    for (const StandIn &s : kStandIns)
        faces.append(QString::fromLatin1(s.windowsFace));
    return faces;
}

QStringList standIns(const QString &family)
{
    if (family.isEmpty())
        return {};
    addRules();
    const QByteArray name = family.toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    QStringList faces;
    FcValue value;
    FcValueBinding binding = FcValueBindingWeak;
    for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (binding != FcValueBindingWeak && value.type == FcTypeString)
            faces.append(QString::fromUtf8(reinterpret_cast<const char *>(value.u.s)));
    }
    FcPatternDestroy(pattern);
    return faces;
}

} // namespace standinfaces
