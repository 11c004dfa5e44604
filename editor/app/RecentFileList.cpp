// The recent-file list and its settings.
#include "editor/app/RecentFileList.h"

#include "editor/app/MirtalaApp.h"

#include <QFileInfo>
#include <QSettings>

namespace mirtala::app {

namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

QString Key(int index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

void CRecentFileList::Load() {
    QSettings settings(kCompanyKey, kAppTitle);
    settings.beginGroup(kRecentGroup);
    m_files.clear();
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString file = settings.value(Key(i)).toString();
        if (!file.isEmpty()) m_files << file;
    }
    emit changed();
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kRecentFiles) m_files.removeLast();
    Save();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= m_files.size()) return;
    m_files.removeAt(index);
    Save();
}

void CRecentFileList::Save() {
    QSettings settings(kCompanyKey, kAppTitle);
    settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFiles; ++i) {
        if (i < m_files.size())
            settings.setValue(Key(i), m_files[i]);
        else
            settings.remove(Key(i));
    }
    emit changed();
}

}  // namespace mirtala::app
