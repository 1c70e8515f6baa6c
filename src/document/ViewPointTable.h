#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A named camera position the user returns to: the 3D camera's eye and its
// heading and pitch in radians.
struct ViewPointRecord {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float heading = 0.0f;
    float pitch = 0.0f;

    bool operator==(const ViewPointRecord&) const = default;
};

// The view points as a design file carries them: 25 slots of 40 bytes, a
// 20-byte name (zero-terminated when shorter) followed by x, y, z, heading
// and pitch. A slot whose name is empty ends the list.
inline constexpr std::size_t kViewPointSlotCount = 25;
inline constexpr std::size_t kViewPointSlotSize = 40;
inline constexpr std::size_t kViewPointNameBytes = 20;
using ViewPointTable = std::array<uint8_t, kViewPointSlotCount * kViewPointSlotSize>;

// The first 25 points in order, into a zeroed table. A name longer than 20
// CP950 bytes is cut on a character boundary, and the point keeps the cut
// name, so that it is the name the design will read back. A point whose
// name is empty or has no CP950 form is left out: its empty slot would end
// the list and lose every point after it.
ViewPointTable PackViewPoints(std::vector<std::shared_ptr<ViewPointRecord>>& points);

// The points of the slots from the first up to the first empty name. A
// slot whose numbers are not finite is passed over.
std::vector<std::shared_ptr<ViewPointRecord>> UnpackViewPoints(const ViewPointTable& table);
