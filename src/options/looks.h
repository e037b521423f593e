#pragma once

#include <QColor>
#include <QString>

#include <vector>

namespace design {

// The colours of one look of our own; the palette and the style sheet are made from them.
struct Look {
    QString name;
    QColor window;
    QColor windowText;
    QColor base;
    QColor alternateBase;
    QColor text;
    QColor button;
    QColor buttonTop; // buttons and tool bars shade from this at the top to button
    QColor buttonText;
    QColor hover;
    QColor pressed;
    QColor highlight;
    QColor highlightedText;
    QColor border;
    QColor accent; // focus frame, default button
    QColor barTop;  // tool bar
    QColor barBottom;
    QColor barText;
    QColor hintBar; // the hint line along the bottom
    QColor hintText;
    QColor toolTip;
    QColor toolTipText;
    int radius = 2;
};

// The seven looks of our own, in the order the design list shows them after "Windows".
const std::vector<Look> &ownLooks();

} // namespace design
