#include "editor/hinttracker.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QWidget>

HintTracker::HintTracker(QObject *parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &HintTracker::update);
    qApp->installEventFilter(this);
}

HintTracker::~HintTracker()
{
    qApp->removeEventFilter(this);
}

QString HintTracker::longPart(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString HintTracker::shortPart(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

bool HintTracker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // In the tracker's window only the chosen control pops up a tooltip; every other hint
        // goes to the hint bar. Other windows keep their own tooltips.
        if (watched != m_tooltipWidget.data() && inOwnWindow(watched))
            return true;
        break;
    // A click may change the control under the pointer or its hint (an action's new text).
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::ActionChanged:
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::StatusTip: // a menu item was highlighted
        if (!m_idle.isActive())
            m_idle.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool HintTracker::inOwnWindow(QObject *watched) const
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    const auto *owner = qobject_cast<QWidget *>(parent());
    return widget && owner && widget->window() == owner->window();
}

void HintTracker::update()
{
    QString hint;
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (menu && menu->activeAction()) {
        hint = menu->activeAction()->statusTip();
    } else {
        for (QWidget *w = QApplication::widgetAt(QCursor::pos()); w; w = w->parentWidget()) {
            if (!w->statusTip().isEmpty() || w->isWindow()) {
                hint = w->statusTip();
                break;
            }
        }
    }
    hint = longPart(hint);
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit hintChanged(hint);
}
