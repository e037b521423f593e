#include "editor/accessiblenames.h"

#include "editor/hinttracker.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace {

const char *const kDerivedName = "retterumDerivedAccessibleName";
const char *const kDerivedDescription = "retterumDerivedAccessibleDescription";

bool hasBuddyLabel(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (!parent)
        return false;
    if (qobject_cast<const QGroupBox *>(parent))
        return true; // Qt reads the group's title
    const QList<QLabel *> labels = parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    return std::any_of(labels.cbegin(), labels.cend(), [widget](const QLabel *l) { return l->buddy() == widget; });
}

// Whether Qt finds no name of its own: a caption, a buddy label or a group title.
bool lacksOwnName(const QWidget *widget)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return QString(button->text()).remove(u'&').trimmed().isEmpty();
    if (qobject_cast<const QLabel *>(widget) || qobject_cast<const QGroupBox *>(widget))
        return false;
    return !hasBuddyLabel(widget);
}

// Sets a value given here before, or none; a value set by hand stays.
void setDerived(QWidget *widget, const char *property, const QString &current, const QString &value,
                void (QWidget::*setter)(const QString &))
{
    if (!current.isEmpty() && current != widget->property(property).toString())
        return;
    if (current == value)
        return;
    widget->setProperty(property, value);
    (widget->*setter)(value);
}

// Qt's own parts (a scroll area's viewport, a combo box's line edit) belong to their control.
bool isPartOfAControl(const QWidget *widget)
{
    return widget->objectName().startsWith(QLatin1String("qt_"))
        || qobject_cast<const QComboBox *>(widget->parentWidget());
}

} // namespace

void AccessibleNames::install()
{
    static AccessibleNames *filter = nullptr;
    if (filter)
        return;
    filter = new AccessibleNames(qApp);
    qApp->installEventFilter(filter);
    for (QWidget *window : QApplication::topLevelWidgets())
        describeTree(window);
}

void AccessibleNames::describeTree(QWidget *root)
{
    describe(root);
    for (QWidget *child : root->findChildren<QWidget *>())
        describe(child);
}

void AccessibleNames::describe(QWidget *widget)
{
    if (widget->isWindow() || isPartOfAControl(widget))
        return;
    // The clear button Qt puts into a line edit.
    if (widget->inherits("QLineEditIconButton") && widget->accessibleName().isEmpty()) {
        widget->setAccessibleName(QStringLiteral("Ryd feltet"));
        return;
    }
    const QString hint = widget->statusTip().isEmpty() ? widget->toolTip() : widget->statusTip();
    if (hint.isEmpty())
        return;
    setDerived(widget, kDerivedDescription, widget->accessibleDescription(), HintTracker::longPart(hint),
               &QWidget::setAccessibleDescription);
    if (lacksOwnName(widget))
        setDerived(widget, kDerivedName, widget->accessibleName(), HintTracker::shortPart(hint),
                   &QWidget::setAccessibleName);
}

bool AccessibleNames::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Polish: // a widget about to be shown for the first time
    case QEvent::ToolTipChange:
        if (watched->isWidgetType())
            describe(static_cast<QWidget *>(watched));
        break;
    case QEvent::Show:
        // A window may polish its controls while it is built, before they have their hints.
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            describeTree(static_cast<QWidget *>(watched));
        break;
    case QEvent::ActionChanged:
        // A tool button takes its action's new text and hint once it has this event.
        if (watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            QMetaObject::invokeMethod(widget, [widget] { describe(widget); }, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
