// CRecentFileList: the File menu's four most recently opened genome files,
// kept in the settings under "Recent File List" (File1 to File4).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace mirtala::app {

inline constexpr int kRecentFiles = 4;

class CRecentFileList : public QObject {
    Q_OBJECT
public:
    // Reads the list from the settings.
    void Load();
    const QStringList& Files() const { return m_files; }
    // Puts the file first (once), keeping at most four.
    void Add(const QString& path);
    // Drops the entry at `index`, e.g. a file that no longer opens.
    void Remove(int index);

signals:
    void changed();

private:
    void Save();

    QStringList m_files;
};

}  // namespace mirtala::app
