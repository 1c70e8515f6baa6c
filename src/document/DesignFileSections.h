#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "objects/DesignObject.h"

// The object sections of a design file: their order, the trailer's tags and
// the objects of one read, held apart from the scene until the whole file
// has been read.
namespace DesignFileSections {

// 3D object sections in file order: lights first, so that the objects after
// them can find the lights that light them by number.
inline constexpr std::array<int, 7> k3DOrder = {2, 0, 1, 5, 6, 3, 4};
// Plan sections in file order. The plan symbols of models, photos and lights
// are not stored: their owners make them again.
inline constexpr std::array<int, 9> kPlanOrder = {7, 8, 9, 10, 11, 14, 15, 13, 12};

inline constexpr int32_t kCurveModesTag = 0xE001;
inline constexpr int32_t kWireframeTag = 0xE002;
inline constexpr int32_t kGroupsTag = 0xE003;

// What the user calls the objects of a type code.
std::string_view GetKindName(int type);

}  // namespace DesignFileSections

// The objects of one read by type code, owned until the scene takes them.
struct ReadDesignObjects {
    std::array<std::vector<std::unique_ptr<CDesignObject>>, 21> lists;
    int32_t wireframe = 0;
    // Bytes after the last trailer record that could be read.
    int64_t unreadBytes = 0;
    // The user stopped the read: what was read is kept, the rest skipped.
    bool aborted = false;
};

// A background picture name other than none or "Default": the design then
// has a photo on the camera, stored in the photo count but not as a record.
bool IsCustomBackground(std::string_view name);

// Tell the user the design file cannot be read; false for the caller.
bool RefuseDamagedDesign();
// An allocation failed while the file was read: no design this program
// writes needs that much, so the file is refused; false for the caller.
bool RefuseDesignTooLargeForMemory();
// The trailer stopped at a tag this program does not know, or one cut
// short, with bytes left: the design opens, but the user is told that part
// of the file was not read before anything is saved over it.
void WarnUnreadTail(int64_t bytes);
// A file of a later version than this program reads; false for the caller.
bool RefuseNewerDesign();
// Objects of a kind this program cannot read yet: the file is refused
// rather than misread.
bool RefuseUnreadableKind(int type);
