#include "modaldialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

ModalDialog::ModalDialog(QWidget *mainWindow)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_mainWindow(mainWindow)
{
}

void ModalDialog::accept()
{
    done(mrOk);
}

void ModalDialog::reject()
{
    done(mrCancel);
}

void ModalDialog::setInitialFocus(QWidget *widget)
{
    m_focus = widget;
}

QMargins ModalDialog::windowFrame() const
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void ModalDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        formShow();
        m_fittedFrame = windowFrame();
        if (!m_placed) {
            placeOverMainWindow();
            m_placed = true;
            m_placedUnframed = m_fittedFrame.isNull();
        }
        if (m_focus)
            m_focus->setFocus(Qt::OtherFocusReason);
    }
    // QDialog::showEvent is skipped on purpose: it would centre the dialog again.
    QWidget::showEvent(event);
}

void ModalDialog::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        if (QWidget *focused = focusWidget())
            m_focus = focused;
        formClose();
    }
    QDialog::hideEvent(event);
}

bool ModalDialog::event(QEvent *event)
{
    const bool result = QDialog::event(event);
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate) && isVisible()
        && windowFrame() != m_fittedFrame) {
        m_fittedFrame = windowFrame();
        fitToFrame();
        // The first centring assumed no frame: centre again with the real outer size.
        if (std::exchange(m_placedUnframed, false))
            placeOverMainWindow();
    }
    return result;
}

void ModalDialog::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier
                       || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto *button = qobject_cast<QPushButton *>(focusWidget());
        if (!button) {
            const auto buttons = findChildren<QPushButton *>();
            const auto isDefault = [](const QPushButton *b) { return b->isDefault(); };
            const auto found = std::find_if(buttons.cbegin(), buttons.cend(), isDefault);
            button = found == buttons.cend() ? nullptr : *found;
        }
        if (button && button->isEnabled() && button->isVisible())
            button->click();
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        escapePressed();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModalDialog::placeOverMainWindow()
{
    QScreen *screen = m_mainWindow ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect work = screen->availableGeometry();
    const QRect over = m_mainWindow ? m_mainWindow->frameGeometry() : work;
    const QSize size = frameGeometry().size();
    // Integer division drops the remainder, as the first placement always did.
    const int left = over.left() + (over.width() - size.width()) / 2;
    const int top = over.top() + (over.height() - size.height()) / 2;
    move(std::max(left, work.left()), std::max(top, work.top()));
}
