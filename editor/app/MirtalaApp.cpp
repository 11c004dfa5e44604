// Start-up, exit, documents and their windows, recent files and names.
#include "editor/app/MirtalaApp.h"

#include "editor/app/AboutBox.h"
#include "editor/app/ChildFrame.h"
#include "editor/app/FirstStart.h"
#include "editor/app/MainFrame.h"
#include "editor/app/Recovery.h"
#include "editor/app/SelfRegistration.h"
#include "editor/app/UserGuide.h"
#include "editor/app/WindowGeometry.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameTable.h"
#include "editor/ui/EditorDialogFactory.h"
#include "editor/ui/MirtalaView.h"
#include "editor/ui/ZubrelleHost.h"
#include "platform/com/ServerRegistration.h"
#include "platform/fileio/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace mirtala::app {

namespace {

CMirtalaApp* g_app = nullptr;

const QString kSettingsGroup = QStringLiteral("Settings");
const QString kNameFileValue = QStringLiteral("NameFile");
const QString kRecentGroup = QStringLiteral("Recent File List");

QSettings Settings() { return QSettings(kCompanyKey, kAppTitle); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString SamePathKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

CMirtalaApp::CMirtalaApp(QString programPath) : m_programPath(std::move(programPath)) { g_app = this; }

CMirtalaApp::~CMirtalaApp() {
    if (m_mainFrame) CloseAllDocuments();  // the windows hold views of the documents
    m_useDialogFactory.reset();
    m_mainFrame.reset();
    m_recovery.reset();  // a clean end: no recovery copies stay
    if (g_app == this) g_app = nullptr;
}

CMirtalaApp* CMirtalaApp::Instance() { return g_app; }

QString CMirtalaApp::DefaultNameFile(const QString& programPath) {
    const QString folder = QFileInfo(programPath).absolutePath();
    // An installed program writes nothing under its prefix.
    if (!programPath.isEmpty() && !FindInstallPaths(QFile::encodeName(programPath).toStdString()).installed &&
        QFileInfo(folder).isWritable())
        return folder + QStringLiteral("/posegait.txt");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data + QStringLiteral("/mirtala/posegait.txt");
}

void CMirtalaApp::LoadSettings() {
    QSettings settings = Settings();
    settings.beginGroup(kRecentGroup);
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) m_recentFiles << file;
    }
}

bool CMirtalaApp::InitInstance(const QStringList& files) {
    m_paths = FindInstallPaths(LocalPath(m_programPath));
    com::SetRegisterCommand(m_paths.RegisterCommand());
    // Before any picture: the control this program came with registers itself when nothing is registered.
    const SelfRegistration registration = RegisterControlIfNeeded(m_paths, CLSID_ZubrelleControl);
    LoadSettings();
    m_strNameFile = Settings().value(kSettingsGroup + '/' + kNameFileValue, DefaultNameFile(m_programPath)).toString();
    if (!NameTable::Instance().LoadNameFile(LocalPath(m_strNameFile))) {
        // A first run: start from the names shipped with the program, if any.
        const QString programDir = QFileInfo(m_programPath).absolutePath();
        for (const QString& shipped : {QString::fromStdString(m_paths.shippedNameFile),
                                       programDir + QStringLiteral("/posegait.txt")})
            if (NameTable::Instance().LoadNameFile(LocalPath(shipped))) break;
    }

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    m_dialogFactory = std::make_unique<ui::CEditorDialogFactory>(m_mainFrame.get());
    m_useDialogFactory.emplace(*m_dialogFactory);
    if (m_recoveryFolder.isEmpty()) m_recoveryFolder = CRecovery::DefaultFolder();
    m_recovery = std::make_unique<CRecovery>(*this, m_recoveryFolder, m_recoveryIntervalMs);
    const int recovered = m_recovery->OfferRecovery();

    bool opened = files.isEmpty() ? (recovered > 0 || OnFileNew() != nullptr) : false;
    for (const QString& file : files) opened = OpenDocumentFile(file) != nullptr || opened;
    if (!opened) return false;

    // The guide is fixed at start-up, whatever folder a file dialog moves to later.
    m_helpFile = FindHelpFile(QDir::currentPath(), QString::fromStdString(m_paths.helpFile));
    m_helpDirectory = QFileInfo(m_helpFile).path() + '/';

    ShowWithSavedGeometry(*m_mainFrame);
    if (!registration.message.empty())
        m_mainFrame->statusBar()->showMessage(QString::fromStdString(registration.message), 15000);
    // From the event loop, once the window is up: the offer is centred over it.
    QTimer::singleShot(0, m_mainFrame.get(), [this] { OfferBodyFiles(*m_mainFrame, m_paths); });
    return true;
}

int CMirtalaApp::ExitInstance() {
    Settings().setValue(kSettingsGroup + '/' + kNameFileValue, m_strNameFile);
    const QString folder = QFileInfo(m_strNameFile).absolutePath();
    QDir().mkpath(folder);
    std::string error;
    if (!NameTable::Instance().SaveNameFile(LocalPath(m_strNameFile), &error)) {
        ShowMessage(kAppTitle,
                    QStringLiteral("The names could not be saved to %1:\n%2")
                        .arg(QDir::toNativeSeparators(m_strNameFile), QString::fromStdString(error)),
                    MessageIcon::Warning);
        return 1;
    }
    return 0;
}

// ---- documents --------------------------------------------------------------

CMirtalaDoc* CMirtalaApp::OnFileNew() {
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnNewDocument()) return nullptr;
    doc->SetTitle(QStringLiteral("Genome%1").arg(++m_untitledCount));
    CMirtalaDoc* raw = doc.get();
    m_documents.push_back(std::move(doc));
    CreateFrame(*raw);
    emit documentsChanged();
    return raw;
}

void CMirtalaApp::OnFileOpen() {
    FileDialogRequest request;
    request.open = true;
    request.filter = QStringLiteral("Genome Files (*.gen)|*.gen|All Files (*.*)|*");
    request.hideReadOnly = true;
    request.owner = m_mainFrame.get();
    if (const std::optional<QString> chosen = ChooseFile(request)) OpenDocumentFile(*chosen);
}

CMirtalaDoc* CMirtalaApp::FindDocument(const QString& path) const {
    const QString key = SamePathKey(path);
    for (const auto& doc : m_documents)
        if (!doc->GetPathName().isEmpty() && SamePathKey(doc->GetPathName()) == key) return doc.get();
    return nullptr;
}

CMirtalaDoc* CMirtalaApp::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (CMirtalaDoc* open = FindDocument(absolute)) {
        for (CChildFrame* frame : m_frames)
            if (&frame->GetDocument() == open) m_mainFrame->MdiArea()->setActiveSubWindow(frame);
        return open;
    }
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnOpenDocument(absolute)) return nullptr;
    doc->SetPathName(absolute);
    CMirtalaDoc* raw = doc.get();
    m_documents.push_back(std::move(doc));
    AddToRecentFileList(absolute);
    CreateFrame(*raw);
    emit documentsChanged();
    return raw;
}

void CMirtalaApp::SetRecovery(QString folder, int intervalMs) {
    m_recoveryFolder = std::move(folder);
    m_recoveryIntervalMs = intervalMs;
}

CMirtalaDoc* CMirtalaApp::OpenRecoveredDocument(const QString& copy, const QString& originalPath, const QString& title) {
    auto doc = std::make_unique<CMirtalaDoc>();
    if (!doc->OnOpenDocument(copy)) return nullptr;
    if (originalPath.isEmpty()) {
        doc->SetPathName(QString());
        doc->SetTitle(title);
    } else {
        doc->SetPathName(originalPath);
    }
    doc->SetModifiedUntilSaved();
    CMirtalaDoc* raw = doc.get();
    m_documents.push_back(std::move(doc));
    CreateFrame(*raw);
    emit documentsChanged();
    return raw;
}

CChildFrame* CMirtalaApp::CreateFrame(CMirtalaDoc& doc) {
    auto* frame = new CChildFrame(*this, doc);
    m_frames.push_back(frame);
    connect(frame, &QObject::destroyed, this, [this, frame, docPtr = &doc] {
        m_frames.erase(std::remove(m_frames.begin(), m_frames.end(), frame), m_frames.end());
        if (FramesOf(*docPtr) > 0) return UpdateFrameTitles(*docPtr);
        // The document's last window is gone, and with it the last view.
        const auto found = std::find_if(m_documents.begin(), m_documents.end(),
                                        [docPtr](const auto& d) { return d.get() == docPtr; });
        if (found != m_documents.end()) m_documents.erase(found);
        emit documentsChanged();
    });
    connect(&doc, &CMirtalaDoc::titleChanged, frame, [this, &doc] { UpdateFrameTitles(doc); });
    m_mainFrame->AddChild(frame);
    UpdateFrameTitles(doc);
    return frame;
}

void CMirtalaApp::OnWindowNew() {
    if (CChildFrame* active = m_mainFrame->ActiveChild()) CreateFrame(active->GetDocument());
}

std::vector<CMirtalaDoc*> CMirtalaApp::Documents() const {
    std::vector<CMirtalaDoc*> docs;
    for (const auto& doc : m_documents) docs.push_back(doc.get());
    return docs;
}

int CMirtalaApp::FramesOf(const CMirtalaDoc& doc) const {
    return static_cast<int>(
        std::count_if(m_frames.begin(), m_frames.end(), [&doc](CChildFrame* f) { return &f->GetDocument() == &doc; }));
}

int CMirtalaApp::FrameNumber(const CChildFrame* frame) const {
    int number = 0;
    for (CChildFrame* f : m_frames) {
        if (&f->GetDocument() != &frame->GetDocument()) continue;
        ++number;
        if (f == frame) return number;
    }
    return number;
}

void CMirtalaApp::UpdateFrameTitles(const CMirtalaDoc& doc) {
    for (CChildFrame* frame : m_frames)
        if (&frame->GetDocument() == &doc) frame->UpdateTitle();
}

bool CMirtalaApp::CanCloseDocument(CMirtalaDoc& doc) { return doc.SaveModified(); }

bool CMirtalaApp::SaveAllModified() {
    for (const auto& doc : m_documents)
        if (!doc->SaveModified()) return false;
    return true;
}

void CMirtalaApp::CloseAllDocuments() {
    const std::vector<CChildFrame*> frames = m_frames;
    for (CChildFrame* frame : frames) delete frame;
    m_documents.clear();
    emit documentsChanged();
}

// ---- recent files -------------------------------------------------------------

void CMirtalaApp::AddToRecentFileList(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kRecentFiles) m_recentFiles.removeLast();
    SaveRecentFiles();
}

void CMirtalaApp::SaveRecentFiles() {
    QSettings settings = Settings();
    settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString key = QStringLiteral("File%1").arg(i + 1);
        if (i < m_recentFiles.size())
            settings.setValue(key, m_recentFiles[i]);
        else
            settings.remove(key);
    }
    emit recentFilesChanged();
}

void CMirtalaApp::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.size()) return;
    const QString path = m_recentFiles[index];
    if (OpenDocumentFile(path)) return;
    // A file that no longer opens leaves the list.
    m_recentFiles.removeAt(index);
    SaveRecentFiles();
}

// ---- names and about ----------------------------------------------------------

void CMirtalaApp::OnImportPoseNames() {
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = QStringLiteral("posename.txt");
    request.filter = QStringLiteral("Pose Names (posename.txt)|posename.txt");
    request.hideReadOnly = true;
    request.owner = m_mainFrame.get();
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) return;
    // Read first, so that a file that cannot be read leaves the pose names as they are.
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(LocalPath(*chosen), bytes)) {
        ShowMessage(kAppTitle, QStringLiteral("Cannot open %1.\n\nThe pose names were not changed.")
                                   .arg(QDir::toNativeSeparators(*chosen)));
        return;
    }
    NameTable::Instance().ParsePoseNames(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void CMirtalaApp::OnAppAbout() {
    CAboutDlg about(m_mainFrame.get());
    about.exec();
}

}  // namespace mirtala::app
