// The name table's changes as a Qt signal: the windows that show names (the
// pose sheet, the genome check) follow names typed in New Pose or New Gait,
// imported, or recovered, as soon as they change.
#pragma once

#include <QObject>

namespace mirtala {

class NameEvents : public QObject {
    Q_OBJECT
public:
    // The notifier of NameTable::Instance(); the first use makes it the table's listener.
    static NameEvents& Instance();

signals:
    void namesChanged();

private:
    NameEvents();
};

}  // namespace mirtala
