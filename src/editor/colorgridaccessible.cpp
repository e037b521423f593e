#include "editor/colorgridaccessible.h"

#include "editor/colorgrid.h"
#include "editor/colortable.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace {

class CellInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CellInterface(ColorGrid *grid, int index)
        : m_grid(grid)
        , m_index(index)
    {
    }

    bool isValid() const override { return m_grid; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? colorTable()[std::size_t(m_index)].name : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!m_grid)
            return {};
        const QRect cell = m_grid->cellRect(m_index);
        return QRect(m_grid->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::RadioButton; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.checkable = true;
        s.checked = m_grid && m_grid->foregroundIndex() == m_index;
        s.invisible = !m_grid || !m_grid->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (m_grid && name == pressAction())
            m_grid->chooseForeground(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<ColorGrid> m_grid;
    int m_index;
};

class GridInterface : public QAccessibleWidget {
public:
    explicit GridInterface(ColorGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Grouping, QStringLiteral("Farve"))
    {
        for (int i = 0; i < 16; ++i) {
            auto *cell = new CellInterface(grid, i);
            m_cells[std::size_t(i)] = QAccessible::registerAccessibleInterface(cell);
        }
    }
    ~GridInterface() override
    {
        for (QAccessible::Id id : m_cells)
            QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return 16; }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < 16 ? QAccessible::accessibleInterface(m_cells[std::size_t(index)]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < 16; ++i)
            if (QAccessible::accessibleInterface(m_cells[std::size_t(i)]) == child)
                return i;
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? QStringLiteral("Farve") : own;
    }

private:
    std::array<QAccessible::Id, 16> m_cells{};
};

} // namespace

QAccessibleInterface *colorGridAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ColorGrid") && object && object->isWidgetType())
        return new GridInterface(static_cast<ColorGrid *>(object));
    return nullptr;
}
