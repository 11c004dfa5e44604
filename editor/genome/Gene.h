// Genes: the seven-byte header, the identifying key, the gene record, and the
// shared handle through which the genome, views and dialogs hold one gene.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace mirtala {

inline constexpr std::size_t kGeneHeaderSize = 7;

struct GeneHeader {
    std::uint8_t type = 0;
    std::uint8_t subtype = 0;
    std::uint8_t id = 0;
    std::uint8_t reserved3 = 0;  // carried unchanged
    std::uint8_t switchOn = 0;   // life stage from which the gene is active
    std::uint8_t reserved5 = 0;  // carried unchanged
    std::uint8_t reserved6 = 0;  // carried unchanged

    std::array<std::uint8_t, kGeneHeaderSize> Bytes() const {
        return {type, subtype, id, reserved3, switchOn, reserved5, reserved6};
    }
    static GeneHeader FromBytes(const std::uint8_t* b) { return GeneHeader{b[0], b[1], b[2], b[3], b[4], b[5], b[6]}; }
    friend bool operator==(const GeneHeader&, const GeneHeader&) = default;
};

struct GeneKey {
    std::uint8_t type = 0;
    std::uint8_t subtype = 0;
    std::uint8_t id = 0;
    friend bool operator==(const GeneKey&, const GeneKey&) = default;
};

struct Gene {
    GeneHeader header;
    std::vector<std::uint8_t> data;

    GeneKey Key() const { return GeneKey{header.type, header.subtype, header.id}; }
    friend bool operator==(const Gene&, const Gene&) = default;
};

// A shared handle to one gene with a plain (non-atomic) reference count kept
// beside it: everything that holds genes runs on the user-interface thread.
// Copying adds a reference; dropping the last one destroys the gene.
class GeneRef {
public:
    GeneRef() = default;
    static GeneRef Make(Gene gene) { return GeneRef(new Node{std::move(gene), 1}); }

    GeneRef(const GeneRef& other) : m_node(other.m_node) {
        if (m_node) ++m_node->count;
    }
    GeneRef(GeneRef&& other) noexcept : m_node(std::exchange(other.m_node, nullptr)) {}
    GeneRef& operator=(GeneRef other) noexcept {
        std::swap(m_node, other.m_node);
        return *this;
    }
    ~GeneRef() { Reset(); }

    void Reset() {
        Node* node = std::exchange(m_node, nullptr);
        if (node && --node->count == 0) delete node;
    }
    Gene* Get() const { return m_node ? &m_node->gene : nullptr; }
    Gene& operator*() const { return m_node->gene; }
    Gene* operator->() const { return &m_node->gene; }
    explicit operator bool() const { return m_node != nullptr; }
    unsigned UseCount() const { return m_node ? m_node->count : 0; }

    // Two handles are equal when they refer to the same gene object.
    friend bool operator==(const GeneRef& a, const GeneRef& b) { return a.m_node == b.m_node; }

private:
    struct Node {
        Gene gene;
        unsigned count;
    };
    explicit GeneRef(Node* node) : m_node(node) {}
    Node* m_node = nullptr;
};

}  // namespace mirtala
