// Shared bodies, one per appearance and folders, in insertion order.
#include "control/activex/BodyCache.h"

namespace zubrelle {

BodyCache& BodyCache::Instance() {
    static BodyCache cache;
    return cache;
}

BodyCache::Entry BodyCache::Load(const Appearance& a, const std::string& images, const std::string& bodyData) {
    Entry entry{a, images, bodyData, std::make_shared<BodyModel>(), 1, {}};
    entry.body->Load(images, bodyData, a.headGenus, a.bodyGenus, a.legsGenus, a.armsGenus, a.tailGenus, a.sex, a.age,
                     a.headVariant, a.bodyVariant, a.legsVariant, a.armsVariant, a.tailVariant, entry.loadError);
    if (entry.body->IsLoaded()) {
        entry.loadError.clear();
    } else if (entry.loadError.empty()) {
        entry.loadError = "The body files of this appearance could not be loaded.";
    }
    return entry;
}

std::shared_ptr<BodyModel> BodyCache::Acquire(const Appearance& appearance, const std::string& images,
                                              const std::string& bodyData, std::string& loadError, bool retryFailed) {
    if (m_entries.empty()) m_entries.push_back(Load(Appearance{}, images, bodyData));
    for (auto& entry : m_entries) {
        if (!entry.givenOut || entry.key != appearance || entry.imagesDirectory != images ||
            entry.bodyDataDirectory != bodyData)
            continue;
        if (retryFailed && !entry.body->IsLoaded()) {
            entry.givenOut = false;
            break;
        }
        ++entry.useCount;
        loadError = entry.loadError;
        return entry.body;
    }
    m_entries.push_back(Load(appearance, images, bodyData));
    loadError = m_entries.back().loadError;
    return m_entries.back().body;
}

void BodyCache::Release(const std::shared_ptr<BodyModel>& body) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->body != body) continue;
        if (--it->useCount == 0) m_entries.erase(it);
        return;
    }
}

std::int32_t BodyCache::UseCount(const Appearance& appearance) const {
    std::int32_t count = 0;
    for (const auto& entry : m_entries)
        if (entry.key == appearance) count += entry.useCount;
    return count;
}

void BodyCache::Clear() { m_entries.clear(); }

}  // namespace zubrelle
