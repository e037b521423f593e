#include "messagehook.h"

#include "messages.h"
#include "tinfform.h"
#include "tredigeringsform.h"
#include "tspform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <optional>
#include <utility>

namespace {

enum class Kind { Information, Question, Rename, Error };

struct Sighting
{
    Kind kind;
    QString text;
};

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Information:
        return QStringLiteral("Information");
    case Kind::Question:
        return QStringLiteral("Question");
    case Kind::Rename:
        return QStringLiteral("Rename");
    case Kind::Error:
        return QStringLiteral("Error");
    }
    return {};
}

std::optional<Sighting> recognise(QWidget *window)
{
    if (auto *dialog = qobject_cast<Tinfform *>(window))
        return Sighting{Kind::Information, dialog->tekst()};
    if (auto *dialog = qobject_cast<Tspform *>(window))
        return Sighting{Kind::Question, dialog->tekst()};
    if (auto *dialog = qobject_cast<Tredigeringsform *>(window))
        return Sighting{Kind::Rename, dialog->oldEdit()->text()};
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        const QVariant text = box->property(Messages::errorTextProperty);
        return Sighting{Kind::Error, text.isValid() ? text.toString() : box->text()};
    }
    return std::nullopt;
}

// As a mouse click: the button takes the focus, then fires.
void press(QAbstractButton *button)
{
    button->setFocus(Qt::MouseFocusReason);
    button->click();
}

// The close box goes through the window, as the window system's close request does.
void closeBox(QWidget *window)
{
    if (QWindow *handle = window->windowHandle()) {
        QCloseEvent event;
        QCoreApplication::sendEvent(handle, &event);
    } else {
        window->close();
    }
}

QPushButton *named(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

// The button that gives answer in this kind of dialog; null when the answer does not fit.
QAbstractButton *buttonFor(QWidget *window, Kind kind, MessageHook::Answer::Type answer)
{
    using A = MessageHook::Answer;
    switch (kind) {
    case Kind::Information:
        return answer == A::Ok ? named(window, "BitBtn1") : nullptr;
    case Kind::Question:
        return answer == A::Yes ? named(window, "BitBtn1")
               : answer == A::No ? named(window, "annullerButton")
                                 : nullptr;
    case Kind::Rename:
        return answer == A::Rename ? named(window, "Button2")
               : answer == A::Cancel ? named(window, "Button1")
                                     : nullptr;
    case Kind::Error: {
        auto *box = static_cast<QMessageBox *>(window);
        return answer == A::Ok ? box->button(QMessageBox::Ok) : nullptr;
    }
    }
    return nullptr;
}

class HookFilter : public QObject
{
public:
    using QObject::QObject;

    QList<MessageHook::Answer> answers;
    QStringList shown;
    QStringList leftovers;
    int unexpected = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow())
                windowShown(widget);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void windowShown(QWidget *window)
    {
        const std::optional<Sighting> seen = recognise(window);
        if (!seen)
            return;
        const QString entry = kindName(seen->kind) + QStringLiteral(": ") + seen->text;
        shown.append(entry);
        std::optional<MessageHook::Answer> answer;
        if (answers.isEmpty())
            miss(QStringLiteral("no answer queued for ") + entry);
        else
            answer = answers.takeFirst();
        answerWhenActive(window, {seen->kind, answer, entry}, activationTries);
    }

    struct Reply
    {
        Kind kind;
        std::optional<MessageHook::Answer> answer;
        QString entry;
    };

    // A user answers once the window has come up; the window system activates it shortly after
    // it is shown, a few turns of the event loop later. Answering before that would leave the
    // activation to arrive at a closed window.
    static constexpr int activationTries = 50;

    void answerWhenActive(QWidget *window, const Reply &reply, int triesLeft)
    {
        const QPointer<HookFilter> self(this);
        QTimer::singleShot(0, window, [self, window, reply, triesLeft] {
            if (!self || !window->isVisible())
                return;
            if (window->isActiveWindow() || triesLeft == 0)
                self->give(window, reply.kind, reply.answer, reply.entry);
            else
                self->answerWhenActive(window, reply, triesLeft - 1);
        });
    }

    void give(QWidget *window, Kind kind, const std::optional<MessageHook::Answer> &answer,
              const QString &entry)
    {
        if (!answer || answer->type == MessageHook::Answer::Close) {
            closeBox(window);
            return;
        }
        QAbstractButton *button = buttonFor(window, kind, answer->type);
        if (!button) {
            miss(QStringLiteral("answer ") + answer->name() + QStringLiteral(" does not fit ") + entry);
            closeBox(window);
            return;
        }
        if (answer->type == MessageHook::Answer::Rename) {
            QLineEdit *newEdit = static_cast<Tredigeringsform *>(window)->newEdit();
            newEdit->setFocus(Qt::OtherFocusReason);
            newEdit->setText(answer->newText);
        }
        press(button);
    }

    void miss(const QString &what)
    {
        ++unexpected;
        leftovers.append(what);
    }
};

QPointer<HookFilter> hook;

HookFilter &installed()
{
    if (!hook)
        qFatal("MessageHook: install() first");
    return *hook;
}

} // namespace

MessageHook::Answer MessageHook::Answer::rename(const QString &newText)
{
    Answer answer(Rename);
    answer.newText = newText;
    return answer;
}

QString MessageHook::Answer::name() const
{
    switch (type) {
    case Ok:
        return QStringLiteral("Ok");
    case Yes:
        return QStringLiteral("Yes");
    case No:
        return QStringLiteral("No");
    case Cancel:
        return QStringLiteral("Cancel");
    case Rename:
        return QStringLiteral("Rename(") + newText + QLatin1Char(')');
    case Close:
        return QStringLiteral("Close");
    }
    return {};
}

void MessageHook::install()
{
    if (hook)
        return;
    hook = new HookFilter(qApp);
    qApp->installEventFilter(hook);
}

void MessageHook::uninstall()
{
    delete hook.data();
}

void MessageHook::queue(const Answer &answer)
{
    installed().answers.append(answer);
}

int MessageHook::pending()
{
    return installed().answers.size();
}

QStringList MessageHook::shown()
{
    return installed().shown;
}

QStringList MessageHook::takeShown()
{
    return std::exchange(installed().shown, {});
}

int MessageHook::unexpected()
{
    return installed().unexpected;
}

QString MessageHook::verifyClean()
{
    HookFilter &state = installed();
    QStringList problems = state.leftovers;
    for (const Answer &answer : std::as_const(state.answers))
        problems.append(QStringLiteral("unused answer ") + answer.name());
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->isModal()) {
            problems.append(QStringLiteral("modal window left open: ") + window->windowTitle());
            window->close();
        }
    }
    state.answers.clear();
    state.shown.clear();
    state.leftovers.clear();
    state.unexpected = 0;
    return problems.join(QLatin1Char('\n'));
}
