// The in-memory form of one registry root: keys with ordered values and subkeys.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mirtala::registry {

struct RegValue {
    std::string name;  // empty for the default value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// Names of keys and values compare without regard to ASCII case, as on the
// platform whose registry this stands in for.
bool NamesEqual(std::string_view a, std::string_view b);

class RegNode {
public:
    explicit RegNode(std::string name = {}) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    RegNode* Child(std::string_view name) const;
    RegNode& AddChild(std::string_view name);  // existing child or a new one
    bool RemoveChild(std::string_view name);
    const std::vector<std::unique_ptr<RegNode>>& Children() const { return m_children; }

    const RegValue* Value(std::string_view name) const;
    void SetValue(RegValue value);
    bool RemoveValue(std::string_view name);
    const std::vector<RegValue>& Values() const { return m_values; }

    // Follows a path of names; nullptr when a level is missing.
    RegNode* Find(const std::vector<std::string>& path);
    const RegNode* Find(const std::vector<std::string>& path) const { return const_cast<RegNode*>(this)->Find(path); }

private:
    std::string m_name;
    std::vector<RegValue> m_values;
    std::vector<std::unique_ptr<RegNode>> m_children;
};

// Splits "A\B\C" into its levels; empty levels are dropped.
std::vector<std::string> SplitKeyPath(std::string_view path);

}  // namespace mirtala::registry
