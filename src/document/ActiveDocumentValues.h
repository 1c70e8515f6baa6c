#pragma once

#include "foundation/ArrowHeadStyle.h"
#include "foundation/PlanDrawOrigin.h"
#include "foundation/WinTypes.h"

namespace draw {
class DrawContext;
}

struct HousSettings;

// Plan drawing values taken from the active document (GetActiveHousDoc). With
// no active document they are what a new document would give.

// The active document's settings.
const HousSettings& GetActiveSettings();

// The version of the design file the scene store is reading, which the
// object readers' gates compare with; the version this program writes
// while there is no scene.
float GetReadingFileVersion();

// Where plan drawing starts on the DC (null: the screen, unmapped), and the
// zoom it draws at. The paper frame's offset moves the origin while the
// document's frame-offset flag is set; on a printing DC that offset is first
// scaled to the printed plan and then added back.
PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext* dc);

// ARROW_LENGTH and ARROW_ANGLE with head kind 1 (lines) or 6 (dimensions).
ArrowHeadStyle GetLineArrowHeadStyle();
ArrowHeadStyle GetDimensionArrowHeadStyle();

// Cleared while the plan scrolls, so that pictures draw roughly meanwhile;
// set while there is no plan view.
bool Get2DViewFullDrawFlag();

// The camera marker keeps the extents it last drew in the document.
void SetCameraMarkerRects(const RECT& first, const RECT& second);
