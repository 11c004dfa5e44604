// Dialog templates as data: a table of controls in dialog units that
// CTemplateWidgets turns into widgets, found afterwards by numeric id, with
// the data-exchange helpers the dialogs and the form view use.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QFont;

namespace mirtala::ui {

enum class ControlKind {
    Static,
    PushButton,
    DefaultButton,
    RadioButton,    // automatic radio button
    PushLikeRadio,  // flat, push-like automatic radio button
    CheckBox,       // automatic check box
    DropDownList,   // combo box without an edit field
    ReportList,     // report-style list control, no column header, single selection
    ListBox,        // unsorted list box
    Edit,           // single-line edit with automatic horizontal scrolling
    UpDown,         // up-down control at the right edge of the control before it
    Picture,        // the picture control, made by the factory its window registers
};

enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    StyleGroup = 1u << 0,     // starts a new radio group
    StyleDisabled = 1u << 1,  // initially disabled
};

struct ControlTemplate {
    int id = -1;  // -1 for static texts that nothing refers to
    ControlKind kind = ControlKind::Static;
    QString text;
    int x = 0, y = 0, w = 0, h = 0;  // dialog units
    std::uint32_t style = StyleNone;
    QStringList entries;     // drop-down list entries, in order
    QString accessibleName;  // when the text does not say what the control is
};

struct DialogTemplate {
    QString caption;
    int w = 0, h = 0;  // dialog units
    std::vector<ControlTemplate> controls;
};

// The dialog font's base units as the platform computes them.
struct DialogUnits {
    int baseX = 0;  // average width of "A".."Z", "a".."z", rounded
    int baseY = 0;  // font height
    static DialogUnits ForFont(const QFont& font);
    int X(int dlu) const { return dlu * baseX / 4; }
    int Y(int dlu) const { return dlu * baseY / 8; }
    QRect Rect(int x, int y, int w, int h) const;
};

// A control's accessible name from its text: no '&', no trailing ':'.
QString AccessibleNameFromText(const QString& text);

// What a window built from a template hears from its controls. Button
// clicks (radio buttons and check boxes included) are commands; selection
// changes come from the user only; text changes also from the program, as
// an edit control reports them.
class CControlEvents {
public:
    virtual ~CControlEvents() = default;
    virtual void OnCommand(int id) = 0;
    virtual void OnSelChange(int /*id*/) {}
    virtual void OnEditChange(int /*id*/) {}
    virtual void OnDoubleClick(int /*id*/) {}
    // An up-down control's position is about to change by `delta` (up: +1).
    virtual void OnDeltaPos(int /*id*/, int /*delta*/) {}
};

// The controls of one template, created as children of a widget.
class CTemplateWidgets {
public:
    // Makes a picture control at its rectangle: the builder knows no picture
    // of its own, so a window whose template holds one registers this first.
    using PictureFactory = std::function<QWidget*(const ControlTemplate& control, const QRect& rect, QWidget* parent)>;

    CTemplateWidgets() = default;
    CTemplateWidgets(const CTemplateWidgets&) = delete;
    CTemplateWidgets& operator=(const CTemplateWidgets&) = delete;

    // Before Build; without it a template's pictures are left out.
    void SetPictureFactory(PictureFactory factory) { m_pictureFactory = std::move(factory); }

    // Creates every control as a child of `parent` and sizes `parent` to the template.
    void Build(const DialogTemplate& dialog, QWidget* parent, CControlEvents* events);
    const DialogUnits& Units() const { return m_units; }
    QSize ClientSize() const { return m_clientSize; }

    QWidget* Item(int id) const;
    template <typename T>
    T* ItemAs(int id) const {
        return qobject_cast<T*>(Item(id));
    }
    // The radio group whose first button has this id.
    QButtonGroup* RadioGroup(int firstId) const;

    // Data exchange, in the direction `save` gives (true: out of the controls).
    void ExchangeRadio(bool save, int firstId, int& index) const;
    void ExchangeComboIndex(bool save, int id, int& index) const;
    void ExchangeText(bool save, int id, QString& text) const;
    void ExchangeCheck(bool save, int id, bool& checked) const;

private:
    QWidget* Create(const ControlTemplate& control, QWidget* parent, QRect& rect);
    void JoinRadioGroup(const ControlTemplate& control, QAbstractButton* button, QWidget* parent);
    void Widen(const ControlTemplate& control, QWidget* widget, QRect& rect);
    void Connect(const ControlTemplate& control, QWidget* widget);

    DialogUnits m_units;
    QSize m_clientSize;
    std::map<int, QPointer<QWidget>> m_items;
    std::map<int, QButtonGroup*> m_groups;
    QButtonGroup* m_currentGroup = nullptr;
    CControlEvents* m_events = nullptr;
    PictureFactory m_pictureFactory;
};

}  // namespace mirtala::ui
