// Shared bodies, one per appearance, in insertion order.
#include "control/activex/BodyCache.h"

namespace zubrelle {

BodyCache& BodyCache::Instance() {
    static BodyCache cache;
    return cache;
}

std::shared_ptr<BodyModel> BodyCache::Load(const Appearance& a, const std::string& images,
                                           const std::string& bodyData) {
    auto body = std::make_shared<BodyModel>();
    std::string errorText;  // a failed load keeps its entry; the text is not shown
    body->Load(images, bodyData, a.headGenus, a.bodyGenus, a.legsGenus, a.armsGenus, a.tailGenus, a.sex, a.age,
               a.headVariant, a.bodyVariant, a.legsVariant, a.armsVariant, a.tailVariant, errorText);
    return body;
}

std::shared_ptr<BodyModel> BodyCache::Acquire(const Appearance& appearance, const std::string& images,
                                              const std::string& bodyData) {
    if (m_entries.empty()) {
        m_entries.push_back({Appearance{}, Load(Appearance{}, images, bodyData), 1});
        ++m_entryCount;
    }
    for (auto& entry : m_entries) {
        if (entry.key == appearance) {
            ++entry.useCount;
            return entry.body;
        }
    }
    m_entries.push_back({appearance, Load(appearance, images, bodyData), 1});
    ++m_entryCount;
    return m_entries.back().body;
}

void BodyCache::Release(const std::shared_ptr<BodyModel>& body) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->body != body) continue;
        if (--it->useCount == 0) {
            m_entries.erase(it);
            --m_entryCount;
        }
        return;
    }
}

std::int32_t BodyCache::UseCount(const Appearance& appearance) const {
    for (const auto& entry : m_entries)
        if (entry.key == appearance) return entry.useCount;
    return 0;
}

void BodyCache::Clear() {
    m_entries.clear();
    m_entryCount = 0;
}

}  // namespace zubrelle
