// CDirectionStrip: the pose dialog's "Show all directions" check box and the
// strip it adds under the dialog, where the pose being edited is drawn in each
// of the four facings (direction slot 0 to 3, every other slot as edited), each
// picture captioned with the name of its direction button. Clicking a picture,
// or Space on it, clicks that button, so the choice is an edit like any other
// (Enter, as on the buttons, is OK). While the strip
// is shown the dialog grows downward by its height; the template's controls
// stay where they are. The check box's state is remembered in the settings.
#pragma once

#include "editor/document/Appearance.h"

#include <QWidget>

#include <array>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;

namespace mirtala::ui {

class CTemplateDialog;
class CZubrelle;

class CDirectionStrip final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDirections = 4;
    // The settings key that holds the check box's state.
    static const QString& SettingKey();

    // Adds the check box and the strip to `dialog`, whose template is built:
    // `picture` is the dialog's own picture, drawn at `scale`.
    CDirectionStrip(CTemplateDialog& dialog, const QWidget& picture, float scale);

    // The working pose string; each picture shows it in its own direction.
    void ShowPose(const std::string& pose);
    void SetAppearance(const Appearance& appearance);

    QCheckBox* CheckBox() const { return m_check; }
    CZubrelle* Picture(int direction) const;
    // `pose` with its direction slot set to `direction` (0 to 3).
    static std::string InDirection(std::string pose, int direction);

private:
    void SetShown(bool shown);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    CTemplateDialog& m_dialog;
    QCheckBox* m_check = nullptr;
    std::array<CZubrelle*, kDirections> m_pictures{};
    std::array<QLabel*, kDirections> m_captions{};
    std::array<QAbstractButton*, kDirections> m_buttons{};  // the dialog's, which outlive the strip
    int m_current = -1;                                     // the direction the pose has, when it is one of the four
    int m_templateHeight = 0;
};

}  // namespace mirtala::ui
