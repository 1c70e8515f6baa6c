#include "view3d/AxisLabelAtlas.h"

#include <array>
#include <string_view>
#include <vector>

#include "platform/draw/DrawTypes.h"
#include "platform/draw/Font.h"
#include "platform/draw/ImageDrawContext.h"
#include "platform/gfx/Device.h"

namespace {

constexpr std::string_view kLetters = "xyz";
constexpr int kFontHeight = 30;
constexpr int kBold = 700;
constexpr int kAtlasWidth = CAxisLabelAtlas::kCellSize * 4;
// Empty texels before each letter, so that filtering at a cell's edge never
// reaches into the next letter.
constexpr int kCellMargin = 2;

struct LabelVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
constexpr uint32_t kLabelFvf = gfx::kFvfXyzRhw | gfx::kFvfDiffuse | gfx::kFvfTex1;

// Puts the render and stage states the letters need, and back as they were.
class LabelStates {
public:
    explicit LabelStates(gfx::Device& device) : m_device(device) {
        for (std::size_t i = 0; i < kStates.size(); ++i) {
            device.GetRenderState(kStates[i].first, &m_saved[i]);
            device.SetRenderState(kStates[i].first, kStates[i].second);
        }
        for (std::size_t i = 0; i < kStageStates.size(); ++i) {
            device.GetTextureStageState(0, kStageStates[i].first, &m_savedStage[i]);
            device.SetTextureStageState(0, kStageStates[i].first, kStageStates[i].second);
        }
    }
    ~LabelStates() {
        for (std::size_t i = 0; i < kStates.size(); ++i) {
            m_device.SetRenderState(kStates[i].first, m_saved[i]);
        }
        for (std::size_t i = 0; i < kStageStates.size(); ++i) {
            m_device.SetTextureStageState(0, kStageStates[i].first, m_savedStage[i]);
        }
        m_device.SetTexture(0, nullptr);
    }
    LabelStates(const LabelStates&) = delete;
    LabelStates& operator=(const LabelStates&) = delete;

private:
    using RenderState = std::pair<gfx::RenderState, uint32_t>;
    using StageState = std::pair<gfx::TextureStageState, uint32_t>;
    static constexpr std::array<RenderState, 5> kStates = {{
        {gfx::RenderState::ZEnable, 0},
        {gfx::RenderState::AlphaBlendEnable, 1},
        {gfx::RenderState::SrcBlend, gfx::kBlendSrcAlpha},
        {gfx::RenderState::DestBlend, gfx::kBlendInvSrcAlpha},
        {gfx::RenderState::CullMode, gfx::kCullNone},
    }};
    static constexpr std::array<StageState, 6> kStageStates = {{
        {gfx::TextureStageState::ColorOp, gfx::kTopModulate},
        {gfx::TextureStageState::ColorArg1, gfx::kTaTexture},
        {gfx::TextureStageState::ColorArg2, gfx::kTaDiffuse},
        {gfx::TextureStageState::AlphaOp, gfx::kTopModulate},
        {gfx::TextureStageState::AlphaArg1, gfx::kTaTexture},
        {gfx::TextureStageState::AlphaArg2, gfx::kTaDiffuse},
    }};

    gfx::Device& m_device;
    std::array<uint32_t, kStates.size()> m_saved{};
    std::array<uint32_t, kStageStates.size()> m_savedStage{};
};

}  // namespace

bool CAxisLabelAtlas::IsBuiltFor(const gfx::Device& device) const {
    return m_texture && m_texture.Get()->GetDevice() == &device;
}

bool CAxisLabelAtlas::Build(gfx::Device& device) {
    draw::ImageDrawContext image(kAtlasWidth, kCellSize);
    draw::Font font;
    font.height = kFontHeight;
    font.weight = kBold;
    font.faceName = "Arial";
    image.SelectFont(font);
    image.SetBkMode(draw::TRANSPARENT);
    image.SetTextColor(draw::Rgb(255, 255, 255));
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        image.TextOut(static_cast<int32_t>(i) * kCellSize + kCellMargin, 0, kLetters.substr(i, 1));
    }
    std::vector<uint32_t> texels(std::size_t{kAtlasWidth} * kCellSize);
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kAtlasWidth; ++x) {
            // White on black: any channel is the glyph's coverage.
            const uint32_t coverage = draw::GreenOf(image.GetPixel(x, y));
            texels[std::size_t(y) * kAtlasWidth + std::size_t(x)] = (coverage << 24) | 0x00FFFFFFu;
        }
    }
    gfx::Texture* texture = nullptr;
    if (gfx::Failed(device.CreateTextureFromPixels(kAtlasWidth, kCellSize, texels.data(), 1,
                                                   gfx::Format::A8R8G8B8, &texture))) {
        return false;
    }
    m_texture = gfx::ResourceRef<gfx::Texture>::Adopt(texture);
    return true;
}

void CAxisLabelAtlas::DrawLetter(gfx::Device& device, char letter, float left, float top,
                                 uint32_t colour) {
    const std::size_t cell = kLetters.find(letter);
    if (cell == std::string_view::npos || (!IsBuiltFor(device) && !Build(device))) {
        return;
    }
    const float size = kCellSize;
    left -= kCellMargin;
    const float u0 = static_cast<float>(cell) * size / kAtlasWidth;
    const float u1 = u0 + size / kAtlasWidth;
    const LabelVertex quad[4] = {
        {left, top, 0.0f, 1.0f, colour, u0, 0.0f},
        {left + size, top, 0.0f, 1.0f, colour, u1, 0.0f},
        {left, top + size, 0.0f, 1.0f, colour, u0, 1.0f},
        {left + size, top + size, 0.0f, 1.0f, colour, u1, 1.0f},
    };
    const LabelStates states(device);
    device.SetTexture(0, m_texture.Get());
    device.SetFVF(kLabelFvf);
    device.DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, quad, sizeof(LabelVertex));
}
