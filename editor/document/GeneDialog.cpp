// The process-wide dialog factory that the user interface installs.
#include "editor/document/GeneDialog.h"

#include <utility>

namespace mirtala {

namespace {

CGeneDialogFactory*& Installed() {
    static CGeneDialogFactory* factory = nullptr;
    return factory;
}

}  // namespace

CGeneDialogFactory* InstalledDialogFactory() { return Installed(); }

ScopedDialogFactory::ScopedDialogFactory(CGeneDialogFactory& factory)
    : m_previous(std::exchange(Installed(), &factory)) {}

ScopedDialogFactory::~ScopedDialogFactory() { Installed() = m_previous; }

}  // namespace mirtala
