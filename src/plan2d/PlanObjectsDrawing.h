#pragma once

namespace draw {
class DrawContext;
}

class CDesignScene;
class CHousDoc;

// Every object of the type that is on the current floor and in no shape set
// draws itself, from the selected list only when asked.
void DrawPlanType(draw::DrawContext& dc, CDesignScene& scene, int type, bool selectedOnly);

// The scene's title-frame objects of the type.
void DrawTitleFrameType(draw::DrawContext& dc, CDesignScene& scene, int type);

// The dotted outline of the paper with a circle and a cross on its centre,
// on the title frame's mapping; only on the screen and never in a bitmap
// export.
void DrawPaperFrame(draw::DrawContext& dc, const CHousDoc& doc);
