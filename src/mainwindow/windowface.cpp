#include "mainwindow/windowface.h"

#include <fontconfig/fontconfig.h>

namespace {

const QString kPreferredFamily = QStringLiteral("Segoe UI");

} // namespace

bool familyInstalled(const QString &family)
{
    const QByteArray name = family.toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

bool preferredFaceInstalled()
{
    static const bool installed = familyInstalled(kPreferredFamily);
    return installed;
}

QFont windowFace()
{
    QFont face(preferredFaceInstalled() ? kPreferredFamily : QStringLiteral("DejaVu Sans"));
    face.setPointSize(9);
    return face;
}
