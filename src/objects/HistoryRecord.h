#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "foundation/WallFaceItem.h"
#include "objects/DesignObject.h"
#include "objects/MaterialSnapshot.h"
#include "objects/ObjectSnapshot.h"
#include "objects/ShapeGeometryRecord.h"
#include "objects/TextureMappingRecord.h"
#include "platform/gfx/ResourceRef.h"
#include "platform/gfx/Texture.h"

// The operations an undo record replays.
enum HistoryOperation : int {
    kHistoryAdd = 0,
    kHistoryDelete = 1,
    kHistoryProperties = 2,
    kHistoryPlacement = 3,
    kHistoryFaceItemAdded = 5,
    kHistoryFaceItemRemoved = 6,
    kHistoryFaceRefinement = 7,
    kHistoryMaterialTexture = 8,
    kHistoryMirrorImage = 9,
    kHistoryShadow = 10,
    kHistoryMaterial = 11,
    kHistoryAllMappings = 13,
    kHistoryGroupBegin = 98,
    kHistorySeparator = 99,
};

// The object type of group-begin markers and separators.
inline constexpr int kHistoryMarkerType = 99;

// Position x, y, z and roll, elevation, heading of a 3D object, as
// C3DObject::GetPlacement gives them.
using PlacementRecord = std::array<float, 6>;

// A face's refinement switch.
struct RefinementRecord {
    std::int32_t flag = 0;
    std::int32_t value = 0;
};

// An object the record names as its payload (the added or deleted object).
// Whether the record owns it depends on the list the record is in: a
// deleted object is owned while its record is undoable, an added one
// while its record is redoable. The history moves the object between the
// two forms as records move between lists.
struct HistoryObject {
    CDesignObject* object = nullptr;
    std::unique_ptr<CDesignObject> owned;

    [[nodiscard]] CDesignObject* Get() const { return owned ? owned.get() : object; }
};

// One payload of a record: the state before or after an edit. Each record
// owns its payloads, so freeing a record frees everything it keeps.
using HistoryPayload =
    std::variant<std::monostate, HistoryObject, std::unique_ptr<CObjectSnapshot>, PlacementRecord,
                 ShapeGeometryRecord, RefinementRecord, gfx::ResourceRef<gfx::Texture>,
                 std::int32_t, MaterialSnapshot, std::vector<TextureMappingRecord>,
                 // The face item an opening record adds or removes.
                 WallFaceItem>;

// One step of an edit in the document's undo, redo and snapshot lists.
struct HistoryRecord {
    // Records undone or redone together as one step; every record of a
    // step carries the same count.
    int count = 1;
    int objectType = 0;
    int operation = 0;
    // Property group, material index or face index; -1 when not needed.
    int value = -1;
    HistoryPayload before;
    HistoryPayload after;
    // The object the record changes; not owned.
    CDesignObject* object = nullptr;
};
