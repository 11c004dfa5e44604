// Turning the name table's change listener into a signal.
#include "editor/document/NameEvents.h"

#include "editor/document/NameTable.h"

namespace mirtala {

NameEvents::NameEvents() {
    NameTable::Instance().SetChangeListener([this] { emit namesChanged(); });
}

NameEvents& NameEvents::Instance() {
    // Lives as long as the table it listens to; never destroyed, so the
    // table never calls a notifier that has gone.
    static NameEvents* events = new NameEvents;
    return *events;
}

}  // namespace mirtala
