// The process-wide cache through which all controls of one appearance share
// one loaded body. The first acquisition creates the default entry (the
// all-zero appearance), which no control releases.
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

    // The body for appearance, loaded from the directories when it is new.
    std::shared_ptr<BodyModel> Acquire(const Appearance& appearance, const std::string& imagesDirectory,
                                       const std::string& bodyDataDirectory);
    // Gives one use back; the entry goes when its count reaches 0.
    void Release(const std::shared_ptr<BodyModel>& body);

    int EntryCount() const { return m_entryCount; }
    // Use count of the entry for appearance, or 0 when there is none.
    std::int32_t UseCount(const Appearance& appearance) const;
    // Drops every entry (module unload, and tests).
    void Clear();

private:
    struct Entry {
        Appearance key;
        std::shared_ptr<BodyModel> body;
        std::int32_t useCount;
    };
    std::shared_ptr<BodyModel> Load(const Appearance& appearance, const std::string& imagesDirectory,
                                    const std::string& bodyDataDirectory);
    std::vector<Entry> m_entries;
    int m_entryCount = 0;
};

}  // namespace zubrelle
