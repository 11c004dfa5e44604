// The Host Product Folders dialog: the two folders the pictures draw from
// (sprite images and body data), where each value comes from, and whether a
// body of the preview appearance loads from them. OK stores them in the
// registry and every open picture reloads at once.
#pragma once

#include "editor/document/Appearance.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QLineEdit;
class QTimer;
namespace mirtala::ui {
class CZubrelle;
}

namespace mirtala::app {

class CHostFoldersDlg : public QDialog {
    Q_OBJECT
public:
    CHostFoldersDlg(const Appearance& appearance, QWidget* parent = nullptr);

    QString ImagesFolder() const;
    QString BodyDataFolder() const;
    void SetFolders(const QString& images, const QString& bodyData);
    // The line under the folders: that a body loads, or why it does not.
    QString CheckText() const;
    // Tries the folders now on the dialog's own picture.
    void Check();

    void accept() override;

private:
    QLineEdit* AddFolderRow(QGridLayout* grid, int row, const QString& label, QLabel*& source);
    void Browse(QLineEdit* edit, const QString& caption);

    QLineEdit* m_images;
    QLineEdit* m_bodyData;
    QLabel* m_imagesSource;
    QLabel* m_bodyDataSource;
    QLabel* m_check;
    ui::CZubrelle* m_probe;
    QTimer* m_checkTimer;
};

}  // namespace mirtala::app
