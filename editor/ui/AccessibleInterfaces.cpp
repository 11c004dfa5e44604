// The combo box and push-like radio button interfaces and their factory.
#include "editor/ui/AccessibleInterfaces.h"

#include "editor/ui/PushRadio.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QPointer>

namespace mirtala::ui {

namespace {

const char* const kLabelProperty = "mirtalaAccessibleLabel";

// The label relation of SetAccessibleLabel, after Qt's own (buddies).
QList<QPair<QAccessibleInterface*, QAccessible::Relation>> WithOwnLabel(
    const QWidget* widget, QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations,
    QAccessible::Relation match) {
    if (!(match & QAccessible::Label)) return relations;
    for (const auto& relation : relations)
        if (relation.second & QAccessible::Label) return relations;
    if (auto* label = widget->property(kLabelProperty).value<QObject*>())
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label))
            relations.append({iface, QAccessible::Label});
    return relations;
}

class CAccessibleCombo final : public QAccessibleWidget {
public:
    explicit CAccessibleCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Combo()->currentText();
        return QAccessibleWidget::text(t);  // the name: the accessible name, else the buddy label's text
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Combo()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }
    // The list that drops down, as Qt's own interface has it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
        return WithOwnLabel(widget(), QAccessibleWidget::relations(match), match);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) Combo()->showPopup();
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

class CAccessibleRadio final : public QAccessibleWidget {
public:
    explicit CAccessibleRadio(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) text = Button()->text();
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) Button()->click();
    }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Asked with the object's own class name first, then its base classes' names.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String(CPushRadio::staticMetaObject.className()))
        return new CAccessibleRadio(static_cast<CPushRadio*>(object));
    if (className == QLatin1String("QComboBox"))
        if (auto* combo = qobject_cast<QComboBox*>(object); combo && !combo->isEditable())
            return new CAccessibleCombo(combo);
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

void SetAccessibleLabel(QWidget* control, QWidget* label) {
    control->setProperty(kLabelProperty, QVariant::fromValue(static_cast<QObject*>(label)));
}

}  // namespace mirtala::ui
