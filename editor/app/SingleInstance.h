// One editor per user and display: a second start hands its files to the
// running editor through a local socket and ends. A socket left behind by an
// editor that crashed is recognised (nobody answers) and replaced.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QLocalServer;

namespace mirtala::app {

// A hand-off longer than this is refused and its connection closed: a real one is
// a few paths, and one without an end would otherwise be kept whole.
inline constexpr qsizetype kMaxHandOffBytes = 1 << 20;

// Opens each handed file through `open`; the messages of those that do not open are
// gathered and shown as one box, not one box a path.
void OpenHandedFiles(const QStringList& files, const std::function<void(const QString&)>& open);

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket's name for this user and display.
    static QString ServerName();
    // Sends `files` to a running editor; true when one took them.
    bool HandOff(const QStringList& files);
    // Becomes the running editor; `open` receives the files of later starts.
    bool Listen(std::function<void(const QStringList&)> open);

private:
    void OnConnection();

    QLocalServer* m_server = nullptr;
    std::function<void(const QStringList&)> m_open;
};

}  // namespace mirtala::app
