#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The edge list of one shadow-volume build: the edges a set of faces uses an
// odd number of times, in the order a plain scan of the list would leave
// them. A hash index over the unordered vertex pair finds an edge's entry,
// so that a mesh of many faces does not take quadratic time.
class CShadowEdgeList {
public:
    struct Edge {
        uint32_t a = 0;
        uint32_t b = 0;
    };

    // Room for the edges of faces faces. Throws std::bad_alloc.
    explicit CShadowEdgeList(uint32_t faces);

    // The entry holding the edge (a, b) or (b, a); -1 when there is none.
    [[nodiscard]] int64_t Find(uint32_t a, uint32_t b) const;
    void Append(uint32_t a, uint32_t b);
    // Moves the last entry into the place of entry index.
    void RemoveAt(uint32_t index);

    [[nodiscard]] const std::vector<Edge>& Edges() const { return m_edges; }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

    [[nodiscard]] static uint64_t Key(uint32_t a, uint32_t b) {
        return a < b ? (uint64_t{a} << 32) | b : (uint64_t{b} << 32) | a;
    }
    [[nodiscard]] size_t Home(uint64_t key) const;
    // The slot of the key, or the empty slot where it would go.
    [[nodiscard]] size_t Probe(uint64_t key) const;
    void EraseSlot(size_t slot);

    std::vector<Edge> m_edges;
    // Open addressing with linear probing: the entry index of each edge, and
    // its key alongside so that a probe touches one array.
    std::vector<uint64_t> m_keys;
    std::vector<uint32_t> m_entries;
    size_t m_mask = 0;
    int m_shift = 0;
};
