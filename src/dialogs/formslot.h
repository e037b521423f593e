#pragma once

#include <QPointer>

#include <functional>
#include <utility>

// One of the program's single windows, or a part of one, made the first time it is used rather
// than at start: the main window appears sooner, and what the user never opens costs nothing.
// Used like the plain pointer it replaces; a window put in directly (as tests do) is used as it
// is, and a maker may put its window in itself before it returns it.
template<typename Form>
class FormSlot
{
public:
    using Maker = std::function<Form *()>;

    void setMaker(Maker maker) { m_maker = std::move(maker); }

    FormSlot &operator=(Form *form)
    {
        m_form = form;
        return *this;
    }

    // The window, made now when it does not exist yet; null only when there is no way to make it.
    Form *get()
    {
        if (!m_form && m_maker)
            m_form = m_maker();
        return m_form;
    }
    Form *operator->() { return get(); }
    operator Form *() { return get(); }

    // The window when it has been made; never makes it.
    Form *existing() const { return m_form; }

    // Forgets the window and how to make it; the window itself is not deleted here.
    void reset()
    {
        m_form = nullptr;
        m_maker = nullptr;
    }

private:
    QPointer<Form> m_form; // a window deleted elsewhere reads as not made
    Maker m_maker;
};
