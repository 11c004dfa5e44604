// The pose sheet's accessible table and its cells.
#include "editor/ui/PoseSheetAccessible.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/ui/PoseSheetWindow.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <unordered_map>

namespace mirtala::ui {

namespace {

class CellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CellAccessible(PoseSheetWindow* sheet, int row, int column) : m_sheet(sheet), m_row(row), m_column(column) {}

    bool isValid() const override {
        return m_sheet && m_row < int(m_sheet->Model().rows.size()) && m_column < m_sheet->Model().StageCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_sheet ? m_sheet->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_sheet.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return m_sheet->CellName(m_row, m_column);
        if (t == QAccessible::Description) return m_sheet->CellDescription(m_row, m_column);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = m_sheet->CellRect(m_row, m_column);
        return QRect(m_sheet->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const bool current = m_row == m_sheet->CurrentRow() && m_column == m_sheet->CurrentColumn();
        s.focusable = s.selectable = true;
        s.selected = current;
        s.focused = current && m_sheet->hasFocus();
        s.invisible = !m_sheet->isVisible();
        // A cell scrolled out of the window is not on the screen.
        s.offscreen = !m_sheet->visibleRegion().intersects(m_sheet->CellRect(m_row, m_column));
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (!isValid()) return;
        if (action == setFocusAction() || action == pressAction()) {
            m_sheet->setFocus();
            m_sheet->SetCurrentCell(m_row, m_column);
        }
        if (action == pressAction()) m_sheet->OpenCell(m_row, m_column);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<PoseSheetWindow> m_sheet;
    int m_row, m_column;
};

// Children are the cells row by row; each cell's interface is made once and
// kept until the sheet goes.
class SheetAccessible : public QAccessibleWidget {
public:
    explicit SheetAccessible(PoseSheetWindow* sheet) : QAccessibleWidget(sheet, QAccessible::Table) {}
    ~SheetAccessible() override {
        for (const auto& [index, id] : m_cells) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(Sheet()->Model().rows.size()) * Sheet()->Model().StageCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        const auto found = m_cells.find(index);
        if (found != m_cells.end()) return QAccessible::accessibleInterface(found->second);
        const int columns = Sheet()->Model().StageCount();
        auto* cell = new CellAccessible(Sheet(), index / columns, index % columns);
        m_cells[index] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : m_cells)
            if (QAccessible::accessibleInterface(id) == child) return index;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int row = 0, column = 0;
        if (!Sheet()->CellAt(Sheet()->mapFromGlobal(QPoint(x, y)), row, column)) return nullptr;
        return child(row * Sheet()->Model().StageCount() + column);
    }
    QAccessibleInterface* focusChild() const override {
        if (!Sheet()->hasFocus() || Sheet()->Model().rows.empty()) return nullptr;
        return child(Sheet()->CurrentRow() * Sheet()->Model().StageCount() + Sheet()->CurrentColumn());
    }

private:
    PoseSheetWindow* Sheet() const { return static_cast<PoseSheetWindow*>(widget()); }
    mutable std::unordered_map<int, QAccessible::Id> m_cells;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String(PoseSheetWindow::staticMetaObject.className()))
        return new SheetAccessible(static_cast<PoseSheetWindow*>(object));
    return nullptr;
}

}  // namespace

void InstallPoseSheetAccessible() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

}  // namespace mirtala::ui
