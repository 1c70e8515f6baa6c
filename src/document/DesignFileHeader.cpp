#include "document/DesignFileHeader.h"

#include "document/DesignFileFields.h"

namespace {

namespace F = DesignFileFields;

constexpr std::size_t kVersion = 0;
constexpr std::size_t kEye = 4;
constexpr std::size_t kDirection = 16;
constexpr std::size_t kHeading = 28;
constexpr std::size_t kPitch = 32;
constexpr std::size_t kStepLength = 36;
constexpr std::size_t kTurnStep = 40;
constexpr std::size_t kWireframe = 44;
constexpr std::size_t kOrthoOn = 48;
constexpr std::size_t kGridShown = 52;
constexpr std::size_t kUp = 56;
constexpr std::size_t kGrid = 68;     // seven floats
constexpr std::size_t kAmbient = 96;  // red, green, blue bytes; 99 stays zero
constexpr std::size_t kFarDistance = 100;
constexpr std::size_t kBackgroundColor = 104;
constexpr std::size_t kBackgroundFile = 108;
constexpr std::size_t kBackgroundFileField = DesignFileHeader::kBackgroundFileBytes + 1;
constexpr std::size_t kBackgroundRatio = 188;
constexpr std::size_t kObjectIdCounter = 192;

static_assert(kGrid + 7 * 4 == kAmbient);
static_assert(kBackgroundFile + kBackgroundFileField == kBackgroundRatio);
static_assert(kObjectIdCounter + 8 == DesignFileHeader::kSize);

}  // namespace

DesignFileHeaderBytes EncodeDesignFileHeader(const DesignFileHeader& header) {
    DesignFileHeaderBytes bytes{};
    const DesignViewState& view = header.view;
    F::PutFloat(bytes, kVersion, header.version);
    F::PutVector3(bytes, kEye, view.eye);
    F::PutVector3(bytes, kDirection, view.direction);
    F::PutFloat(bytes, kHeading, view.heading);
    F::PutFloat(bytes, kPitch, view.pitch);
    F::PutFloat(bytes, kStepLength, view.stepLength);
    F::PutFloat(bytes, kTurnStep, view.turnStep);
    F::PutInt32(bytes, kWireframe, view.wireframe);
    F::PutInt32(bytes, kOrthoOn, view.orthoOn);
    F::PutInt32(bytes, kGridShown, view.gridShown);
    F::PutVector3(bytes, kUp, view.up);
    const DesignGridRecord& grid = view.grid;
    std::size_t at = kGrid;
    for (float value :
         {grid.length, grid.width, grid.step, grid.red, grid.green, grid.blue, grid.reserved}) {
        F::PutFloat(bytes, at, value);
        at += 4;
    }
    for (std::size_t i = 0; i < header.ambient.size(); ++i) {
        bytes[kAmbient + i] = header.ambient[i];
    }
    F::PutFloat(bytes, kFarDistance, header.farDistance);
    F::PutInt32(bytes, kBackgroundColor, header.backgroundColor);
    F::PutStoredPath(std::span(bytes).subspan(kBackgroundFile, kBackgroundFileField),
                     header.backgroundFile);
    F::PutInt32(bytes, kBackgroundRatio, header.backgroundRatio);
    F::PutDouble(bytes, kObjectIdCounter, header.objectIdCounter);
    return bytes;
}

DesignFileHeader DecodeDesignFileHeader(std::span<const uint8_t, DesignFileHeader::kSize> bytes) {
    DesignFileHeader header;
    DesignViewState& view = header.view;
    header.version = F::GetFloat(bytes, kVersion);
    view.eye = F::GetVector3(bytes, kEye);
    view.direction = F::GetVector3(bytes, kDirection);
    view.heading = F::GetFloat(bytes, kHeading);
    view.pitch = F::GetFloat(bytes, kPitch);
    view.stepLength = F::GetFloat(bytes, kStepLength);
    view.turnStep = F::GetFloat(bytes, kTurnStep);
    view.wireframe = F::GetInt32(bytes, kWireframe);
    view.orthoOn = F::GetInt32(bytes, kOrthoOn);
    view.gridShown = F::GetInt32(bytes, kGridShown);
    view.up = F::GetVector3(bytes, kUp);
    DesignGridRecord& grid = view.grid;
    std::size_t at = kGrid;
    for (float* value : {&grid.length, &grid.width, &grid.step, &grid.red, &grid.green, &grid.blue,
                         &grid.reserved}) {
        *value = F::GetFloat(bytes, at);
        at += 4;
    }
    for (std::size_t i = 0; i < header.ambient.size(); ++i) {
        header.ambient[i] = bytes[kAmbient + i];
    }
    header.farDistance = F::GetFloat(bytes, kFarDistance);
    header.backgroundColor = F::GetInt32(bytes, kBackgroundColor);
    header.backgroundFile = F::GetStoredPath(bytes.subspan(kBackgroundFile, kBackgroundFileField));
    header.backgroundRatio = F::GetInt32(bytes, kBackgroundRatio);
    header.objectIdCounter = F::GetDouble(bytes, kObjectIdCounter);
    return header;
}
