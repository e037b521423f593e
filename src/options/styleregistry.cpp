#include "options/styleregistry.h"

#include "options/looks.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace design {

namespace {

struct SystemLook {
    QString styleName;
    QPalette palette;
};

double luminance(const QColor &color)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
        + 0.0722 * channel(color.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The toolkit's own selection colour can be too light for its white text (Fusion's is 3.7:1):
// it is deepened just enough to be read, and the rest of the system's look stays as it is.
QPalette withReadableSelection(QPalette palette)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor text = palette.color(group, QPalette::HighlightedText);
        QColor selection = palette.color(group, QPalette::Highlight);
        const bool lightText = luminance(text) > 0.5;
        for (int step = 0; step < 40 && contrast(text, selection) < 4.5; ++step)
            selection = lightText ? selection.darker(105) : selection.lighter(105);
        palette.setColor(group, QPalette::Highlight, selection);
    }
    return palette;
}

// Taken before the first change, so that "Windows" can bring the start-up look back.
const SystemLook &systemLook()
{
    static const SystemLook look = [] {
        const QPalette original = QApplication::palette();
        SystemLook taken{QApplication::style()->name(), withReadableSelection(original)};
        if (taken.palette != original)
            QApplication::setPalette(taken.palette);
        return taken;
    }();
    return look;
}

QString &current()
{
    static QString name = kSystemLook;
    return name;
}

const Look *findLook(const QString &name)
{
    for (const Look &look : ownLooks())
        if (look.name.compare(name, Qt::CaseInsensitive) == 0)
            return &look;
    return nullptr;
}

QColor mixed(const QColor &a, const QColor &b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

void applySheetStyleAndPalette(const QString &styleName, const QPalette &palette, const QString &sheet)
{
    // Without the old sheet first, every widget would be polished once more for nothing.
    qApp->setStyleSheet(QString());
    QApplication::setPalette(palette);
    QApplication::setStyle(QStyleFactory::create(styleName));
    // Coming back from a style sheet, the windows keep the palette they had under it until
    // each is told of the change once more.
    for (QWidget *widget : QApplication::allWidgets()) {
        QEvent changed(QEvent::ApplicationPaletteChange);
        QCoreApplication::sendEvent(widget, &changed);
    }
    qApp->setStyleSheet(sheet);
}

} // namespace

QStringList styleNames()
{
    QStringList names{kSystemLook};
    for (const Look &look : ownLooks())
        names << look.name;
    return names;
}

QString currentStyle()
{
    return current();
}

bool trySetStyle(const QString &name)
{
    const SystemLook &system = systemLook();
    const bool wantsSystem = name.compare(kSystemLook, Qt::CaseInsensitive) == 0;
    const Look *look = wantsSystem ? nullptr : findLook(name);
    if (!wantsSystem && !look)
        return false;
    const QString listed = look ? look->name : kSystemLook;
    if (listed == current())
        return true;
    if (look)
        applySheetStyleAndPalette(QStringLiteral("Fusion"), paletteOf(*look), styleSheetOf(*look));
    else
        applySheetStyleAndPalette(system.styleName, system.palette, QString());
    current() = listed;
    return true;
}

QString unknownDesignMessage(const QString &name)
{
    return QStringLiteral("Designet \"%1\" findes ikke.\rProgrammet beholder sit nuværende design.")
        .arg(name);
}

QPalette paletteOf(const Look &l)
{
    QPalette p(l.buttonText, l.button, l.buttonTop, mixed(l.button, l.border, 0.8), l.border,
               l.text, mixed(l.buttonTop, l.button, 0.5), l.base, l.window);
    p.setColor(QPalette::WindowText, l.windowText);
    p.setColor(QPalette::AlternateBase, l.alternateBase);
    p.setColor(QPalette::Highlight, l.highlight);
    p.setColor(QPalette::HighlightedText, l.highlightedText);
    p.setColor(QPalette::ToolTipBase, l.toolTip);
    p.setColor(QPalette::ToolTipText, l.toolTipText);
    p.setColor(QPalette::PlaceholderText, mixed(l.text, l.base, 0.45));
    p.setColor(QPalette::Link, l.accent);
    p.setColor(QPalette::LinkVisited, mixed(l.accent, l.text, 0.4));
    p.setColor(QPalette::BrightText, l.highlightedText);
    // A list without the focus keeps its selection as clearly readable as with it.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor background = role == QPalette::Text ? l.base
            : role == QPalette::ButtonText               ? l.button
                                                         : l.window;
        p.setColor(QPalette::Disabled, role, mixed(p.color(QPalette::Active, role), background, 0.55));
    }
    p.setColor(QPalette::Disabled, QPalette::Highlight, mixed(l.highlight, l.window, 0.5));
    return p;
}

QString styleSheetOf(const Look &l)
{
    const auto n = [](const QColor &color) { return color.name(); };
    QString sheet = QStringLiteral(
        "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @barTop, stop:1 @barBottom);"
        " border: 1px solid @border; border-radius: @rpx; padding: 1px; spacing: 2px; }\n"
        "QToolBar QToolButton { color: @barText; }\n"
        "QStatusBar { background: @hintBar; border-top: 1px solid @border; }\n"
        "QStatusBar QLabel { color: @hintText; }\n"
        "QPushButton { color: @buttonText; border: 1px solid @border; border-radius: @rpx;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @buttonTop, stop:1 @button);"
        " padding: 2px 6px; }\n"
        "QPushButton:hover { background: @hover; border-color: @accent; }\n"
        "QPushButton:pressed { background: @pressed; }\n"
        "QPushButton:default, QPushButton:focus { border-color: @accent; }\n"
        "QPushButton:disabled { color: @disabledText; background: @window; border-color: @disabledBorder; }\n"
        "QToolButton:hover { background: @hover; border: 1px solid @border; border-radius: @rpx; }\n"
        "QToolButton:pressed, QToolButton:checked { background: @pressed; border: 1px solid @accent;"
        " border-radius: @rpx; }\n"
        "QLineEdit, QTextEdit, QListView, QTreeView { border: 1px solid @border; border-radius: @rpx;"
        " background: @base; }\n"
        "QLineEdit { padding: 1px 3px; }\n"
        "QLineEdit:focus, QTextEdit:focus, QListView:focus, QTreeView:focus { border-color: @accent; }\n"
        "QToolTip { color: @toolTipText; background: @toolTip; border: 1px solid @border; }\n");
    // Longest keys first, so that "@button" does not eat the front of "@buttonTop".
    const std::pair<const char *, QString> values[] = {
        {"@disabledBorder", n(mixed(l.border, l.window, 0.5))},
        {"@disabledText", n(mixed(l.buttonText, l.window, 0.55))},
        {"@toolTipText", n(l.toolTipText)},
        {"@buttonText", n(l.buttonText)},
        {"@buttonTop", n(l.buttonTop)},
        {"@barBottom", n(l.barBottom)},
        {"@hintText", n(l.hintText)},
        {"@toolTip", n(l.toolTip)},
        {"@pressed", n(l.pressed)},
        {"@barText", n(l.barText)},
        {"@hintBar", n(l.hintBar)},
        {"@barTop", n(l.barTop)},
        {"@border", n(l.border)},
        {"@button", n(l.button)},
        {"@accent", n(l.accent)},
        {"@window", n(l.window)},
        {"@hover", n(l.hover)},
        {"@base", n(l.base)},
        {"@r", QString::number(l.radius)},
    };
    for (const auto &[key, value] : values)
        sheet.replace(QLatin1StringView(key), value);
    return sheet;
}

} // namespace design
