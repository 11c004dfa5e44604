// The process-wide cache through which all controls of one appearance and one
// pair of folders share one loaded body. The first acquisition creates the
// default entry (the all-zero appearance), which no control releases.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/body/Appearance.h"
#include "control/body/BodyModel.h"

namespace zubrelle {

class BodyCache {
public:
    // The module's one cache; destroyed (with every body) when the module unloads.
    static BodyCache& Instance();

    // The body for appearance loaded from the two folders, shared with every
    // control that asked for the same; loaded when it is new. A body loaded
    // from other folders is never given. loadError gets why the body did not
    // load, or is cleared. With retryFailed, a body that failed to load is
    // loaded again: the failed entry stays for the controls holding it, but is
    // given out no more.
    std::shared_ptr<BodyModel> Acquire(const Appearance& appearance, const std::string& imagesDirectory,
                                       const std::string& bodyDataDirectory, std::string& loadError,
                                       bool retryFailed = false);
    // Gives one use back; the entry goes when its count reaches 0.
    void Release(const std::shared_ptr<BodyModel>& body);

    // Use count of the entries for appearance, whatever their folders; 0 when there is none.
    std::int32_t UseCount(const Appearance& appearance) const;
    // Drops every entry (module unload, and tests).
    void Clear();

private:
    struct Entry {
        Appearance key;
        std::string imagesDirectory;
        std::string bodyDataDirectory;
        std::shared_ptr<BodyModel> body;
        std::int32_t useCount;
        std::string loadError;
        bool givenOut = true;  // false once a retry has replaced it
    };
    static Entry Load(const Appearance& appearance, const std::string& imagesDirectory,
                      const std::string& bodyDataDirectory);
    std::vector<Entry> m_entries;
};

}  // namespace zubrelle
