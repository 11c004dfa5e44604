// A process-wide service slot (message boxes, file dialogs, the dialog factory):
// the user interface or a test installs an implementation for a scope, and the
// previous one comes back when the scope ends.
#pragma once

#include <utility>

namespace mirtala {

template <class Service>
class InstalledService {
public:
    static Service* Get() { return Slot(); }

    class Scope {
    public:
        explicit Scope(Service& service) : m_previous(std::exchange(Slot(), &service)) {}
        ~Scope() { Slot() = m_previous; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Service* m_previous;
    };

private:
    static Service*& Slot() {
        static Service* service = nullptr;
        return service;
    }
};

}  // namespace mirtala
