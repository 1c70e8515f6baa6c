#include "objects/ShadowEdgeList.h"

#include <algorithm>
#include <bit>

CShadowEdgeList::CShadowEdgeList(uint32_t faces) {
    // Each face adds at most three edges; at most half the slots in use
    // keeps the probes short.
    const size_t most = size_t{faces} * 3;
    const size_t slots = std::bit_ceil(std::max<size_t>(16, most * 2));
    m_edges.reserve(most);
    m_keys.assign(slots, 0);
    m_entries.assign(slots, kEmpty);
    m_mask = slots - 1;
    m_shift = 64 - std::countr_zero(slots);
}

size_t CShadowEdgeList::Home(uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> m_shift) & m_mask;
}

size_t CShadowEdgeList::Probe(uint64_t key) const {
    size_t slot = Home(key);
    while (m_entries[slot] != kEmpty && m_keys[slot] != key) {
        slot = (slot + 1) & m_mask;
    }
    return slot;
}

int64_t CShadowEdgeList::Find(uint32_t a, uint32_t b) const {
    const uint32_t entry = m_entries[Probe(Key(a, b))];
    return entry == kEmpty ? -1 : int64_t{entry};
}

void CShadowEdgeList::Append(uint32_t a, uint32_t b) {
    const size_t slot = Probe(Key(a, b));
    m_keys[slot] = Key(a, b);
    m_entries[slot] = static_cast<uint32_t>(m_edges.size());
    m_edges.push_back({a, b});
}

void CShadowEdgeList::RemoveAt(uint32_t index) {
    const Edge removed = m_edges[index];
    EraseSlot(Probe(Key(removed.a, removed.b)));
    const auto last = static_cast<uint32_t>(m_edges.size() - 1);
    if (index != last) {
        const Edge moved = m_edges[last];
        m_edges[index] = moved;
        m_entries[Probe(Key(moved.a, moved.b))] = index;
    }
    m_edges.pop_back();
}

// Backward-shift deletion: later keys of the same run move up, so that no
// probe stops early at the hole.
void CShadowEdgeList::EraseSlot(size_t slot) {
    size_t hole = slot;
    size_t next = slot;
    for (;;) {
        next = (next + 1) & m_mask;
        if (m_entries[next] == kEmpty) {
            break;
        }
        const size_t home = Home(m_keys[next]);
        // The key may fill the hole when its home does not lie in (hole, next].
        const bool homeBetween =
            hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
        if (!homeBetween) {
            m_keys[hole] = m_keys[next];
            m_entries[hole] = m_entries[next];
            hole = next;
        }
    }
    m_entries[hole] = kEmpty;
}
