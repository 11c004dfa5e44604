// Choosing the host product's folders.
#include "editor/app/HostFoldersDlg.h"

#include "editor/app/MirtalaApp.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/ui/CZubrelle.h"
#include "platform/fileio/Folders.h"
#include "platform/registry/HostFolders.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mirtala::app {

namespace {

namespace reg = mirtala::registry;

const QString kChosenHere = QStringLiteral("Chosen here; set for Mirtala when you choose OK.");

QString SourceText(const reg::HostFolder& folder, const std::string& prefix) {
    switch (folder.source) {
        case reg::HostFolder::Source::Registry: return QStringLiteral("Set for Mirtala.");
        case reg::HostFolder::Source::WinePrefix:
            return QStringLiteral("Found in the Wine prefix %1.").arg(QString::fromStdString(prefix));
        case reg::HostFolder::Source::Default: break;
    }
    return QStringLiteral("The host product's default folder.");
}

}  // namespace

CHostFoldersDlg::CHostFoldersDlg(const Appearance& appearance, QWidget* parent)
    : QDialog(parent), m_probe(new ui::CZubrelle(this)), m_checkTimer(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Host Product Folders"));
    auto* intro =
        new QLabel(QStringLiteral("The pictures are drawn from the host product's body files: "
                                  "sprite images and body data, each in a folder of its own."));
    intro->setWordWrap(true);
    auto* grid = new QGridLayout;
    m_images = AddFolderRow(grid, 0, QStringLiteral("&Images:"), m_imagesSource);
    m_bodyData = AddFolderRow(grid, 2, QStringLiteral("Body &Data:"), m_bodyDataSource);
    m_check = new QLabel;
    m_check->setWordWrap(true);
    m_check->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_check->setAccessibleName(QStringLiteral("Check"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CHostFoldersDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CHostFoldersDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(m_check);
    layout->addWidget(buttons);

    // The probe is a picture of its own that tries the folders without touching the registry.
    m_probe->Create(QStringLiteral("Folder Check Picture"), 0, QRect(0, 0, 1, 1), this, -1);
    m_probe->hide();
    m_probe->SetAppearance(appearance);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(300);
    connect(m_checkTimer, &QTimer::timeout, this, &CHostFoldersDlg::Check);
    for (QLineEdit* edit : {m_images, m_bodyData})
        connect(edit, &QLineEdit::textEdited, m_checkTimer, qOverload<>(&QTimer::start));

    const reg::HostFolders found = reg::FindHostFolders();
    // Each source line says where the folder shown comes from, as it is typed:
    // the place it was found while it is that folder, this dialog once it is not.
    const struct {
        QLineEdit* edit;
        QLabel* source;
        const reg::HostFolder& folder;
    } rows[] = {{m_images, m_imagesSource, found.images}, {m_bodyData, m_bodyDataSource, found.bodyData}};
    for (const auto& row : rows) {
        const QString path = QString::fromStdString(row.folder.path);
        const QString foundText = SourceText(row.folder, found.winePrefix);
        row.source->setText(foundText);
        connect(row.edit, &QLineEdit::textChanged, row.source,
                [source = row.source, path, foundText](const QString& text) {
                    source->setText(text == path ? foundText : kChosenHere);
                });
    }
    SetFolders(QString::fromStdString(found.images.path), QString::fromStdString(found.bodyData.path));
    resize(std::max(560, sizeHint().width()), sizeHint().height());
}

QLineEdit* CHostFoldersDlg::AddFolderRow(QGridLayout* grid, int row, const QString& label, QLabel*& source) {
    auto* edit = new QLineEdit;
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    const QString name = label.chopped(1).remove('&');
    edit->setAccessibleName(name + QStringLiteral(" Folder"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    browse->setAccessibleName(QStringLiteral("Browse for ") + name);
    connect(browse, &QPushButton::clicked, this, [this, edit, name] { Browse(edit, name); });
    source = new QLabel;
    source->setAccessibleName(name + QStringLiteral(" Source"));
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(browse, row, 2);
    grid->addWidget(source, row + 1, 1, 1, 2);
    return edit;
}

void CHostFoldersDlg::Browse(QLineEdit* edit, const QString& caption) {
    const QString chosen = QFileDialog::getExistingDirectory(this, caption, edit->text());
    if (chosen.isEmpty()) return;
    edit->setText(QDir::toNativeSeparators(chosen) + '/');
    Check();
}

QString CHostFoldersDlg::ImagesFolder() const { return m_images->text(); }
QString CHostFoldersDlg::BodyDataFolder() const { return m_bodyData->text(); }

void CHostFoldersDlg::SetFolders(const QString& images, const QString& bodyData) {
    m_images->setText(images);
    m_bodyData->setText(bodyData);
    Check();
}

QString CHostFoldersDlg::CheckText() const { return m_check->text(); }

void CHostFoldersDlg::Check() {
    m_checkTimer->stop();
    if (!m_probe->IsControlCreated()) {
        m_check->setText(m_probe->MissingControlText());
        return;
    }
    const std::string images = registry::ResolveHostFolder(m_images->text().toStdString());
    const std::string bodyData = registry::ResolveHostFolder(m_bodyData->text().toStdString());
    // A folder that cannot be listed says why, rather than that no body file was found in it.
    const struct {
        const char* name;
        const std::string& path;
    } folders[] = {{"Images", images}, {"Body Data", bodyData}};
    for (const auto& folder : folders) {
        const std::string problem = fileio::FolderReadProblem(folder.path);
        if (problem.empty()) continue;
        m_check->setText(
            QStringLiteral("The %1 folder %2 cannot be read: %3.")
                .arg(QLatin1String(folder.name), QString::fromStdString(folder.path), QString::fromStdString(problem)));
        return;
    }
    m_probe->SetImagesDirectory(QString::fromStdString(images));
    m_probe->SetBodyDataDirectory(QString::fromStdString(bodyData));
    const QString error = m_probe->LoadError();
    m_check->setText(
        error.isEmpty()
            ? QStringLiteral("A body of the preview appearance loads from these folders.")
            : QStringLiteral("A body of the preview appearance does not load from these folders: %1").arg(error));
}

void CHostFoldersDlg::accept() {
    std::string error;
    if (!registry::WriteHostFolders(m_images->text().toStdString(), m_bodyData->text().toStdString(), &error)) {
        ShowMessage({kAppTitle,
                     QStringLiteral("The folders could not be stored: %1").arg(QString::fromStdString(error)),
                     MessageIcon::Warning, MessageButtons::Ok, this});
        return;
    }
    ui::CZubrelle::ReloadAll();
    QDialog::accept();
}

}  // namespace mirtala::app
