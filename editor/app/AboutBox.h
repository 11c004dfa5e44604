// The about box: the program icon, its name and version, and OK.
#pragma once

#include <QDialog>

namespace mirtala::app {

inline const QString kVersionLine = QStringLiteral("Mirtala Version 0.1");

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace mirtala::app
