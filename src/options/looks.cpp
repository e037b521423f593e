#include "options/looks.h"

namespace design {

namespace {

QColor c(const char *hex)
{
    return QColor::fromString(QLatin1StringView(hex));
}

Look iceberg()
{
    Look l;
    l.name = QStringLiteral("Iceberg Classico");
    l.window = c("#e4edf5");
    l.windowText = c("#14293b");
    l.base = c("#ffffff");
    l.alternateBase = c("#eef4fa");
    l.text = c("#14293b");
    l.button = c("#d2e1ee");
    l.buttonTop = c("#f4f8fc");
    l.buttonText = c("#14293b");
    l.hover = c("#e3eef8");
    l.pressed = c("#b9d0e4");
    l.highlight = c("#2c6a99");
    l.highlightedText = c("#ffffff");
    l.border = c("#93adc4");
    l.accent = c("#2c6a99");
    l.barTop = c("#f3f8fc");
    l.barBottom = c("#d6e5f1");
    l.barText = c("#14293b");
    l.hintBar = c("#cfdfec");
    l.hintText = c("#14293b");
    l.toolTip = c("#f6fafd");
    l.toolTipText = c("#14293b");
    l.radius = 2;
    return l;
}

Look lavender()
{
    Look l;
    l.name = QStringLiteral("Lavender Classico");
    l.window = c("#ebe6f3");
    l.windowText = c("#2a2039");
    l.base = c("#fdfcff");
    l.alternateBase = c("#f4f0fa");
    l.text = c("#2a2039");
    l.button = c("#dcd2ea");
    l.buttonTop = c("#f7f3fc");
    l.buttonText = c("#2a2039");
    l.hover = c("#ece5f6");
    l.pressed = c("#c8bade");
    l.highlight = c("#66489a");
    l.highlightedText = c("#ffffff");
    l.border = c("#ab9cc6");
    l.accent = c("#66489a");
    l.barTop = c("#f7f3fc");
    l.barBottom = c("#dfd6ec");
    l.barText = c("#2a2039");
    l.hintBar = c("#d9cfe8");
    l.hintText = c("#2a2039");
    l.toolTip = c("#faf8fd");
    l.toolTipText = c("#2a2039");
    l.radius = 2;
    return l;
}

Look smokeyQuartz()
{
    // Smoky colours around light working surfaces: recipes keep their own dark text colours,
    // and the tool bar's dark icons stay visible.
    Look l;
    l.name = QStringLiteral("Smokey Quartz Kamri");
    l.window = c("#d8d2cc");
    l.windowText = c("#2b2420");
    l.base = c("#fbf9f7");
    l.alternateBase = c("#f1ece7");
    l.text = c("#2b2420");
    l.button = c("#c4bab1");
    l.buttonTop = c("#e8e2dc");
    l.buttonText = c("#2b2420");
    l.hover = c("#ddd5ce");
    l.pressed = c("#ada197");
    l.highlight = c("#6e5646");
    l.highlightedText = c("#ffffff");
    l.border = c("#91857b");
    l.accent = c("#8a6a4f");
    l.barTop = c("#eee9e4");
    l.barBottom = c("#cdc4bb");
    l.barText = c("#2b2420");
    l.hintBar = c("#4a423d");
    l.hintText = c("#f4efea");
    l.toolTip = c("#4a423d");
    l.toolTipText = c("#f4efea");
    l.radius = 3;
    return l;
}

Look windows10ClearDay()
{
    Look l;
    l.name = QStringLiteral("Windows10 Clear Day");
    l.window = c("#f7f9fc");
    l.windowText = c("#1a1a1a");
    l.base = c("#ffffff");
    l.alternateBase = c("#f2f6fb");
    l.text = c("#1a1a1a");
    l.button = c("#e8eef6");
    l.buttonTop = c("#ffffff");
    l.buttonText = c("#1a1a1a");
    l.hover = c("#e5f1fb");
    l.pressed = c("#cce4f7");
    l.highlight = c("#cce8ff");
    l.highlightedText = c("#000000");
    l.border = c("#b6c6d8");
    l.accent = c("#0078d7");
    l.barTop = c("#ffffff");
    l.barBottom = c("#eaf1f9");
    l.barText = c("#1a1a1a");
    l.hintBar = c("#006cc1");
    l.hintText = c("#ffffff");
    l.toolTip = c("#ffffff");
    l.toolTipText = c("#1a1a1a");
    l.radius = 0;
    return l;
}

Look windows10()
{
    Look l;
    l.name = QStringLiteral("Windows10");
    l.window = c("#f0f0f0");
    l.windowText = c("#000000");
    l.base = c("#ffffff");
    l.alternateBase = c("#f5f5f5");
    l.text = c("#000000");
    l.button = c("#e1e1e1");
    l.buttonTop = c("#e9e9e9");
    l.buttonText = c("#000000");
    l.hover = c("#e5f1fb");
    l.pressed = c("#cce4f7");
    l.highlight = c("#0067c0");
    l.highlightedText = c("#ffffff");
    l.border = c("#adadad");
    l.accent = c("#0078d7");
    l.barTop = c("#f5f5f5");
    l.barBottom = c("#e8e8e8");
    l.barText = c("#000000");
    l.hintBar = c("#e8e8e8");
    l.hintText = c("#000000");
    l.toolTip = c("#ffffff");
    l.toolTipText = c("#575757");
    l.radius = 0;
    return l;
}

Look sky()
{
    Look l;
    l.name = QStringLiteral("Sky");
    l.window = c("#d9eaf8");
    l.windowText = c("#0f2f4d");
    l.base = c("#ffffff");
    l.alternateBase = c("#ecf5fd");
    l.text = c("#0f2f4d");
    l.button = c("#b6d7f2");
    l.buttonTop = c("#eef7ff");
    l.buttonText = c("#0f2f4d");
    l.hover = c("#d7ebfb");
    l.pressed = c("#9cc7ec");
    l.highlight = c("#1b64a8");
    l.highlightedText = c("#ffffff");
    l.border = c("#7fb0da");
    l.accent = c("#1b64a8");
    l.barTop = c("#eaf5fe");
    l.barBottom = c("#b9d9f3");
    l.barText = c("#0f2f4d");
    l.hintBar = c("#1b64a8");
    l.hintText = c("#ffffff");
    l.toolTip = c("#f3f9ff");
    l.toolTipText = c("#0f2f4d");
    l.radius = 3;
    return l;
}

Look windows11ModernLight()
{
    Look l;
    l.name = QStringLiteral("Windows11 Modern Light");
    l.window = c("#f3f3f3");
    l.windowText = c("#1b1b1b");
    l.base = c("#fdfdfd");
    l.alternateBase = c("#f7f7f7");
    l.text = c("#1b1b1b");
    l.button = c("#fbfbfb");
    l.buttonTop = c("#fdfdfd");
    l.buttonText = c("#1b1b1b");
    l.hover = c("#f0f0f0");
    l.pressed = c("#e6e6e6");
    l.highlight = c("#005fb8");
    l.highlightedText = c("#ffffff");
    l.border = c("#cfcfcf");
    l.accent = c("#005fb8");
    l.barTop = c("#fafafa");
    l.barBottom = c("#f0f0f0");
    l.barText = c("#1b1b1b");
    l.hintBar = c("#ebebeb");
    l.hintText = c("#1b1b1b");
    l.toolTip = c("#f9f9f9");
    l.toolTipText = c("#1b1b1b");
    l.radius = 5;
    return l;
}

} // namespace

const std::vector<Look> &ownLooks()
{
    static const std::vector<Look> looks{iceberg(),           lavender(),  smokeyQuartz(),
                                         windows10ClearDay(), windows10(), sky(),
                                         windows11ModernLight()};
    return looks;
}

} // namespace design
