#pragma once

#include <array>
#include <optional>

// How the 3D view's own commands look in its context menus and the main
// menu: plain facts of the design and one function of them, without widgets.
namespace view_commands {

// The view's command numbers that the context menus do not already name.
inline constexpr int kModifyAlternative = 32774;
inline constexpr int kAmbientLightPage = 32791;
inline constexpr int kSetTexture = 32780;
inline constexpr int kAddFurniture = 32779;
inline constexpr int kAddLight = 32782;
inline constexpr int kAddPicture = 32798;
inline constexpr int kAddText3D = 32914;

struct ViewCommandContext {
    // The edit mode ends in 1: a first point is placed.
    bool drawingInProgress = false;
    int editMode = 0;
    // Selected objects per saved type (0 model .. 6 ceiling).
    std::array<int, 7> selected{};
    // The view has a picked object.
    bool picked = false;
    bool mirrorShown = false;
    bool shadowShown = false;
    // A selected mirror wall or floor is see-through at the picked face.
    bool mirrorFaceFound = false;
    // The picked face of the first selected surface is refined; nothing
    // when no selected surface answers for the face.
    std::optional<bool> faceRefined;
    // A face editor answers the wall-items command.
    bool faceEditorInstalled = false;
    bool anyHidden = false;
    // The plan icon of the first selected model, 3D text or photo.
    bool planIconShown = false;
    bool planIconLines = false;
    bool hasPlanIcon = false;
    bool hasOutlinePoints = false;
};

struct ViewCommandUpdate {
    bool enabled = true;
    std::optional<bool> checked;

    bool operator==(const ViewCommandUpdate&) const = default;
};

// The rule of a command of the 3D view; nothing for a command that is not
// the view's.
[[nodiscard]] std::optional<ViewCommandUpdate> GetViewCommandUpdate(
    int command, const ViewCommandContext& context);

}  // namespace view_commands
