// Building a template's controls and exchanging data with them.
#include "editor/ui/DialogTemplate.h"

#include "editor/ui/AccessibleInterfaces.h"
#include "editor/ui/PushRadio.h"
#include "editor/ui/UpDown.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>

namespace mirtala::ui {

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Half of the width per 26 letters, rounded: the average letter width.
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnits::Rect(int x, int y, int w, int h) const {
    const int left = X(x), top = Y(y);
    return {left, top, X(x + w) - left, Y(y + h) - top};
}

QString AccessibleNameFromText(const QString& text) {
    QString name;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') name += '&', ++i;  // "&&" is a literal '&'
            continue;
        }
        name += text[i];
    }
    if (name.endsWith(':')) name.chop(1);
    return name.trimmed();
}

namespace {

// One maker per control kind. A maker may shrink the rectangle it is given
// to what the control really takes.
using Maker = QWidget* (*)(const ControlTemplate& control, QWidget* parent, const DialogUnits& units, QRect& rect);

// Qt marks mnemonics with '&' too, so the template's texts stand as they are.
QWidget* MakeStatic(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    auto* label = new QLabel(control.text, parent);
    label->setWordWrap(control.h > 12);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* MakePushButton(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    auto* button = new QPushButton(control.text, parent);
    button->setAutoDefault(false);
    button->setDefault(control.kind == ControlKind::DefaultButton);
    return button;
}

QWidget* MakeRadioButton(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    return new QRadioButton(control.text, parent);
}

QWidget* MakePushLikeRadio(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    return new CPushRadio(control.text, parent);
}

QWidget* MakeCheckBox(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    return new QCheckBox(control.text, parent);
}

QWidget* MakeDropDownList(const ControlTemplate& control, QWidget* parent, const DialogUnits& units, QRect& rect) {
    auto* combo = new QComboBox(parent);
    combo->addItems(control.entries);
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(std::max(1, control.h / 8 - 1));
    // The template's height includes the drop-down part.
    rect.setHeight(std::min(rect.height(), std::max(units.Y(12), combo->sizeHint().height())));
    return combo;
}

QWidget* MakeReportList(const ControlTemplate&, QWidget* parent, const DialogUnits&, QRect&) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
    return list;
}

QWidget* MakeListBox(const ControlTemplate&, QWidget* parent, const DialogUnits&, QRect&) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent, const DialogUnits&, QRect&) {
    return new QLineEdit(control.text, parent);
}

QWidget* MakeUpDown(const ControlTemplate&, QWidget* parent, const DialogUnits&, QRect&) { return new CUpDown(parent); }

struct KindMaker {
    ControlKind kind;
    Maker make;
};

constexpr KindMaker kMakers[] = {
    {ControlKind::Static, MakeStatic},
    {ControlKind::PushButton, MakePushButton},
    {ControlKind::DefaultButton, MakePushButton},
    {ControlKind::RadioButton, MakeRadioButton},
    {ControlKind::PushLikeRadio, MakePushLikeRadio},
    {ControlKind::CheckBox, MakeCheckBox},
    {ControlKind::DropDownList, MakeDropDownList},
    {ControlKind::ReportList, MakeReportList},
    {ControlKind::ListBox, MakeListBox},
    {ControlKind::Edit, MakeEdit},
    {ControlKind::UpDown, MakeUpDown},
};

Maker MakerOf(ControlKind kind) {
    for (const KindMaker& entry : kMakers)
        if (entry.kind == kind) return entry.make;
    return nullptr;
}

bool IsRadio(ControlKind kind) { return kind == ControlKind::RadioButton || kind == ControlKind::PushLikeRadio; }

}  // namespace

void CTemplateWidgets::Build(const DialogTemplate& dialog, QWidget* parent, CControlEvents* events) {
    m_events = events;
    m_units = DialogUnits::ForFont(parent->font());
    m_clientSize = QSize(m_units.X(dialog.w), m_units.Y(dialog.h));
    QWidget* previous = nullptr;
    QLabel* pendingLabel = nullptr;
    QLabel* rowLabel = nullptr;  // the last text, which names every list and edit of its row
    for (const ControlTemplate& control : dialog.controls) {
        QRect rect = m_units.Rect(control.x, control.y, control.w, control.h);
        QWidget* widget = Create(control, parent, rect);
        if (!widget) continue;
        if (auto* upDown = qobject_cast<CUpDown*>(widget)) {
            upDown->setGeometry(rect);
            upDown->SetBuddy(previous);
        } else {
            Widen(control, widget, rect);
            widget->setGeometry(rect);
        }
        const QString name =
            control.accessibleName.isEmpty() ? AccessibleNameFromText(control.text) : control.accessibleName;
        if (auto* upDown = qobject_cast<CUpDown*>(widget))
            upDown->SetAccessibleName(name);
        else if (!name.isEmpty() && control.kind != ControlKind::Static)
            widget->setAccessibleName(name);  // a label names itself by its text
        if (control.style & StyleDisabled) widget->setEnabled(false);
        // A radio button joins the group before it unless it starts one; any
        // other control that starts a group ends the radio group before it.
        if (IsRadio(control.kind))
            JoinRadioGroup(control, qobject_cast<QAbstractButton*>(widget), parent);
        else if (control.style & StyleGroup)
            m_currentGroup = nullptr;
        // A label's mnemonic moves the focus to the control that follows it.
        // Assistive tools learn the label from the buddy; the row's other lists
        // and edits (a part's variant beside its genus) from the row's text.
        const bool labelled = control.kind == ControlKind::DropDownList || control.kind == ControlKind::Edit;
        if (pendingLabel && widget->focusPolicy() != Qt::NoFocus)
            pendingLabel->setBuddy(widget);
        else if (labelled && rowLabel && rowLabel->geometry().center().y() >= rect.top() &&
                 rowLabel->geometry().center().y() <= rect.bottom())
            SetAccessibleLabel(widget, rowLabel);
        pendingLabel = control.kind == ControlKind::Static ? qobject_cast<QLabel*>(widget) : nullptr;
        if (pendingLabel) rowLabel = pendingLabel;
        if (control.id >= 0) m_items[control.id] = widget;
        Connect(control, widget);
        previous = widget;
    }
}

QWidget* CTemplateWidgets::Create(const ControlTemplate& control, QWidget* parent, QRect& rect) {
    if (control.kind == ControlKind::Picture)
        return m_pictureFactory ? m_pictureFactory(control, rect, parent) : nullptr;
    const Maker make = MakerOf(control.kind);
    return make ? make(control, parent, m_units, rect) : nullptr;
}

void CTemplateWidgets::JoinRadioGroup(const ControlTemplate& control, QAbstractButton* button, QWidget* parent) {
    if ((control.style & StyleGroup) || !m_currentGroup) {
        m_currentGroup = new QButtonGroup(parent);
        m_groups[control.id] = m_currentGroup;
    }
    m_currentGroup->addButton(button, static_cast<int>(m_currentGroup->buttons().size()));
}

void CTemplateWidgets::Widen(const ControlTemplate& control, QWidget* widget, QRect& rect) {
    // A button whose text fills it gets the platform's padding, growing to
    // both sides so that it stays clear of what stands beside it.
    if (control.kind == ControlKind::PushButton || control.kind == ControlKind::DefaultButton) {
        const QStyle* style = widget->style();
        const int padded = widget->fontMetrics().horizontalAdvance(AccessibleNameFromText(control.text)) +
                           2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                                style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget));
        if (padded > rect.width()) rect.adjust(-(padded - rect.width()) / 2, 0, (padded - rect.width() + 1) / 2, 0);
        return;
    }
    // Text that the desktop's font draws wider than the template allows grows to
    // the right rather than being clipped, widening the dialog when it must.
    const bool textControl = control.kind == ControlKind::RadioButton || control.kind == ControlKind::CheckBox ||
                             (control.kind == ControlKind::Static && control.h <= 12);
    if (!textControl || widget->sizeHint().width() <= rect.width()) return;
    rect.setWidth(widget->sizeHint().width());
    m_clientSize.setWidth(std::max(m_clientSize.width(), rect.right() + 1 + m_units.X(4)));
}

void CTemplateWidgets::Connect(const ControlTemplate& control, QWidget* widget) {
    if (!m_events || control.id < 0) return;
    CControlEvents* events = m_events;
    const int id = control.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [events, id] { events->OnCommand(id); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::activated, combo, [events, id] { events->OnSelChange(id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(edit, &QLineEdit::textChanged, edit, [events, id] { events->OnEditChange(id); });
    } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        QObject::connect(tree, &QTreeWidget::itemDoubleClicked, tree, [events, id] { events->OnDoubleClick(id); });
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QObject::connect(list, &QListWidget::itemDoubleClicked, list, [events, id] { events->OnDoubleClick(id); });
    } else if (auto* upDown = qobject_cast<CUpDown*>(widget)) {
        QObject::connect(upDown, &CUpDown::DeltaPos, upDown,
                         [events, id](int delta) { events->OnDeltaPos(id, delta); });
    }
}

QWidget* CTemplateWidgets::Item(int id) const {
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second.data();
}

QButtonGroup* CTemplateWidgets::RadioGroup(int firstId) const {
    const auto found = m_groups.find(firstId);
    return found == m_groups.end() ? nullptr : found->second;
}

void CTemplateWidgets::ExchangeRadio(bool save, int firstId, int& index) const {
    QButtonGroup* group = RadioGroup(firstId);
    if (!group) return;
    if (save) {
        index = group->checkedId();
        return;
    }
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    // No button of the group is selected: an exclusive group cannot be cleared otherwise.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}

void CTemplateWidgets::ExchangeComboIndex(bool save, int id, int& index) const {
    auto* combo = ItemAs<QComboBox>(id);
    if (!combo) return;
    if (save)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void CTemplateWidgets::ExchangeText(bool save, int id, QString& text) const {
    auto* edit = ItemAs<QLineEdit>(id);
    if (!edit) return;
    if (save)
        text = edit->text();
    else if (edit->text() != text)
        edit->setText(text);
}

void CTemplateWidgets::ExchangeCheck(bool save, int id, bool& checked) const {
    auto* box = ItemAs<QCheckBox>(id);
    if (!box) return;
    if (save)
        checked = box->isChecked();
    else
        box->setChecked(checked);
}

}  // namespace mirtala::ui
