// CWalkExportDlg: what the gait dialog's Export asks before it writes the
// preview's animation: the format (animated GIF, PNG sprite sheet or
// numbered PNG frames), the scale, a sheet's columns and where to write.
// RunWalkExport then writes it under a cancellable progress dialog.
#pragma once

#include "editor/picture/WalkExport.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace mirtala::ui {

class CWalkExportDlg final : public QDialog {
    Q_OBJECT
public:
    // `settings` is the preview as it is (its size at scale 1); `baseName`
    // names the file offered (the gait's name).
    CWalkExportDlg(const WalkSettings& settings, int frameCount, const QString& folder, const QString& baseName,
                   QWidget* parent);

    // The settings scaled as chosen, and where and how to write them.
    WalkSettings Settings() const;
    WalkOutput Output() const;

    QComboBox& Format() { return *m_format; }
    QDoubleSpinBox& Scale() { return *m_scale; }
    QSpinBox& Columns() { return *m_columns; }
    QLineEdit& Path() { return *m_path; }
    // The size line: the frames' size, and the sheet's when the format is one.
    QString SizeText() const;

private:
    void FormatChosen();
    void UpdateSize();
    void Browse();

    WalkSettings m_settings;
    int m_frameCount;
    QString m_baseName;
    QComboBox* m_format;
    QDoubleSpinBox* m_scale;
    QSpinBox* m_columns;
    QLabel* m_size;
    QLineEdit* m_path;
};

// Writes the export, showing progress when it takes a while; Cancel stops it
// with nothing written. A failure is reported in a message box; what was
// written, in the main window's status bar. True when written.
bool RunWalkExport(const WalkSettings& settings, const WalkOutput& output, QWidget* parent);

}  // namespace mirtala::ui
