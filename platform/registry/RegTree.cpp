// Key tree of one registry root.
#include "platform/registry/RegTree.h"

#include <algorithm>

namespace mirtala::registry {

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

RegNode* RegNode::Child(std::string_view name) const {
    for (const auto& c : m_children)
        if (NamesEqual(c->Name(), name)) return c.get();
    return nullptr;
}

RegNode& RegNode::AddChild(std::string_view name) {
    if (RegNode* c = Child(name)) return *c;
    m_children.push_back(std::make_unique<RegNode>(std::string(name)));
    return *m_children.back();
}

bool RegNode::RemoveChild(std::string_view name) {
    auto it =
        std::find_if(m_children.begin(), m_children.end(), [&](const auto& c) { return NamesEqual(c->Name(), name); });
    if (it == m_children.end()) return false;
    m_children.erase(it);
    return true;
}

const RegValue* RegNode::Value(std::string_view name) const {
    for (const auto& v : m_values)
        if (NamesEqual(v.name, name)) return &v;
    return nullptr;
}

void RegNode::SetValue(RegValue value) {
    for (auto& v : m_values) {
        if (NamesEqual(v.name, value.name)) {
            v.type = value.type;
            v.data = std::move(value.data);
            return;
        }
    }
    m_values.push_back(std::move(value));
}

bool RegNode::RemoveValue(std::string_view name) {
    auto it =
        std::find_if(m_values.begin(), m_values.end(), [&](const RegValue& v) { return NamesEqual(v.name, name); });
    if (it == m_values.end()) return false;
    m_values.erase(it);
    return true;
}

RegNode* RegNode::Find(const std::vector<std::string>& path) {
    RegNode* node = this;
    for (const auto& level : path) {
        node = node->Child(level);
        if (!node) return nullptr;
    }
    return node;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> levels;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) levels.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

}  // namespace mirtala::registry
