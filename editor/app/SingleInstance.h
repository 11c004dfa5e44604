// One editor per user and display: a second start hands its files to the
// running editor through a local socket and ends. A socket left behind by an
// editor that crashed is recognised (nobody answers) and replaced.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QLocalServer;

namespace mirtala::app {

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
