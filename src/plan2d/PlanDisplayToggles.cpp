#include "plan2d/PlanDisplayToggles.h"

#include <array>

#include "document/HousDoc.h"
#include "plan2d/PlanLayerBits.h"

namespace {

using State = PlanDisplayToggle::State;

const std::array<PlanDisplayToggle, 15> kToggles = {{
    {1234, "顯示或隱藏牆、樑、柱圖示", State::Layer, PlanLayer::kWalls, 312, 313, 32846},
    {1235, "顯示或隱藏地板圖示", State::Layer, PlanLayer::kFloors, 314, 315, 32847},
    {1236, "顯示或隱藏天花板圖示", State::Layer, PlanLayer::kCeilings, 316, 317, 32848},
    {1145, "顯示或隱藏尺寸注標", State::Layer, PlanLayer::kDimensions, 447, 448, 32896},
    {1347, "顯示或隱藏文字注標", State::Layer, PlanLayer::kTextNotes, 445, 446, 32897},
    {1244, "顯示或隱藏線條", State::Layer, PlanLayer::kShapes, 279, 280, 59395},
    {1246, "顯示或隱藏DXF圖示", State::Layer, PlanLayer::kDxfSymbols, 563, 560, 32898},
    {1245, "顯示或隱藏圖片", State::Layer, PlanLayer::kPictures, 281, 282, 59396},
    {1237, "顯示或隱藏傢俱圖示", State::Layer, PlanLayer::kFurniture, 318, 319, 32889},
    {1243, "顯示或隱藏光源圖示", State::Layer, PlanLayer::kLights, 478, 479, 32984},
    {1241, "顯示或隱藏照片圖示", State::Layer, PlanLayer::kPhotos, 474, 475, 59394},
    {1298, "顯示或隱藏3D立體文字線條", State::Layer, PlanLayer::kText3D, 272, 271, 32948},
    {1238, "顯示或隱藏尺規", State::Ruler, 0, 241, 255, 32796},
    {1240, "顯示或隱藏網格", State::Grid, 0, 427, 428, 32949},
    {1242, "顯示或隱藏圖框與圖紙", State::FramePaper, 0, 239, 527, 0},
}};

}  // namespace

std::span<const PlanDisplayToggle> GetPlanDisplayToggles() {
    return kToggles;
}

const PlanDisplayToggle* FindPlanDisplayToggle(int buttonId) {
    for (const PlanDisplayToggle& toggle : kToggles) {
        if (toggle.buttonId == buttonId) {
            return &toggle;
        }
    }
    return nullptr;
}

bool IsDisplayToggleShown(const CHousDoc& doc, const PlanDisplayToggle& toggle) {
    const HousSettings& settings = doc.Settings();
    switch (toggle.state) {
        case State::Layer:
            return (static_cast<uint32_t>(settings.show2DState) & toggle.layer) != 0;
        case State::Ruler:
            return settings.rulerShow != 0;
        case State::Grid:
            return settings.gridShow != 0;
        case State::FramePaper:
            return doc.GetFramePaperShown() != 0;
    }
    return false;
}
