#include <cstddef>
#include <vector>

#include "platform/draw/DrawContext.h"
#include "platform/draw/DrawTypes.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/MatrixMath.h"
#include "platform/image/Image.h"
#include "view3d/HousViewRenderer.h"

namespace {

constexpr int kThumbnailWidth = 256;
constexpr int kThumbnailHeight = 192;
constexpr int kSmallThumbnailWidth = 100;
constexpr int kSmallThumbnailHeight = 80;
constexpr double kCentimetresPerInch = 0.39370078740157477;
constexpr double kPrintScalePerDotPerCentimetre = 0.02;

// The back buffer with its rows top-down, as the image class keeps them.
bool CopyBackBuffer(gfx::Device& device, const gfx::PresentParameters& params,
                    image::CImage* frame) {
    std::vector<uint8_t> pixels;
    if (gfx::Failed(device.GetBackBufferPixels(&pixels))) {
        return false;
    }
    const auto width = static_cast<int>(params.backBufferWidth);
    const auto height = static_cast<int>(params.backBufferHeight);
    const std::size_t stride = std::size_t{params.backBufferWidth} * 4;
    if (pixels.size() != stride * params.backBufferHeight) {
        return false;
    }
    return frame->CreateFromRows(pixels.data(), width, height, stride, image::PixelLayout::Bgrx32);
}

}  // namespace

bool CHousViewRenderer::RenderFrameNoPresent(float zoom, float offsetX, float offsetY) {
    gfx::Matrix moveAndZoom;
    moveAndZoom.m[0][0] = zoom;
    moveAndZoom.m[1][1] = zoom;
    moveAndZoom.m[2][2] = 1.0f;
    moveAndZoom.m[3][3] = 1.0f;
    moveAndZoom.m[3][0] = offsetX;
    moveAndZoom.m[3][1] = offsetY;
    if (!BeginSceneFrame(moveAndZoom)) {
        return false;
    }
    // The scene is ended so that the next frame can begin one; only Present
    // is left out.
    m_engine.GetDevice()->EndScene();
    return true;
}

bool CHousViewRenderer::SaveThumbnail(const std::string& path, bool small) {
    RenderFrame();
    image::CImage frame;
    const bool captured =
        RenderFrameNoPresent(1.0f, 0.0f, 0.0f) &&
        CopyBackBuffer(*m_engine.GetDevice(), m_engine.GetPresentParameters(), &frame);
    // The window gets its overlay back.
    RenderFrame();
    if (!captured) {
        return false;
    }
    const int width = small ? kSmallThumbnailWidth : kThumbnailWidth;
    const int height = small ? kSmallThumbnailHeight : kThumbnailHeight;
    return frame.Thumbnail(width, height, image::Color{0, 0, 0, 255}) &&
           frame.Save(path, image::ImageFormat::Bmp);
}

void CHousViewRenderer::OnBeginPrinting(const draw::DrawContext& dc) {
    m_printScale =
        dc.GetDeviceCaps(draw::LOGPIXELSY) * kCentimetresPerInch * kPrintScalePerDotPerCentimetre;
}

bool CHousViewRenderer::CapturePrintImage() {
    std::vector<uint8_t> bitmap;
    return RenderFrame() && gfx::Succeeded(m_engine.GetDevice()->SaveBackBufferToBmp(&bitmap)) &&
           m_printImage.LoadFromMemory(bitmap);
}

void CHousViewRenderer::OnDraw(draw::DrawContext& dc) {
    if (!dc.IsPrinting()) {
        return;
    }
    // A frame that cannot be drawn now is tried again on the next page.
    if (m_printImageCaptured == 0 && CapturePrintImage()) {
        m_printImageCaptured = 1;
    }
    const int windowWidth = m_camera.GetWindowWidth();
    const int windowHeight = m_camera.GetWindowHeight();
    const int pageWidth = dc.GetDeviceCaps(draw::HORZRES);
    const int pageHeight = dc.GetDeviceCaps(draw::VERTRES);
    const int dotsPerInchX = dc.GetDeviceCaps(draw::LOGPIXELSX);
    const int dotsPerInchY = dc.GetDeviceCaps(draw::LOGPIXELSY);
    if (windowWidth <= 0 || windowHeight <= 0 || pageWidth <= 0 || pageHeight <= 0 ||
        dotsPerInchX <= 0 || dotsPerInchY <= 0) {
        return;
    }
    const double windowAspect = static_cast<double>(windowWidth) / windowHeight;
    // The paper's own shape, in lengths rather than dots.
    const double pageAspect = (static_cast<double>(pageWidth) / dotsPerInchX) /
                              (static_cast<double>(pageHeight) / dotsPerInchY);
    int width = pageWidth;
    int height = static_cast<int>(pageWidth / windowAspect);
    if (pageAspect > windowAspect) {
        height = pageHeight;
        width = static_cast<int>(windowAspect * pageHeight);
    }
    m_printImage.Draw(dc, width, height, false);
}
