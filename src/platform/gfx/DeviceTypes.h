#pragma once

// Names and values of the 3D device's states, formats and results. The
// numbers are those of the fixed-function API the rendering code was written
// for, so values kept in settings and design files (vertex-processing flags,
// fill modes, light types) mean the same here.

#include <cstdint>

namespace gfx {

// Result of a device call: 0 for success, negative for a failure.
using Result = int32_t;

inline constexpr Result kOk = 0;
inline constexpr Result kErrFail = static_cast<Result>(0x80004005u);
inline constexpr Result kErrOutOfMemory = static_cast<Result>(0x8007000Eu);
inline constexpr Result kErrDeviceLost = static_cast<Result>(0x88760868u);
inline constexpr Result kErrDeviceNotReset = static_cast<Result>(0x88760869u);
inline constexpr Result kErrNotAvailable = static_cast<Result>(0x8876086Au);
inline constexpr Result kErrInvalidCall = static_cast<Result>(0x8876086Cu);

[[nodiscard]] constexpr bool Failed(Result r) {
    return r < 0;
}
[[nodiscard]] constexpr bool Succeeded(Result r) {
    return r >= 0;
}

enum class DeviceType : uint32_t { Hal = 1, Ref = 2 };

// Behaviour flags of device creation; the settings store 64 or 32.
inline constexpr uint32_t kCreateSoftwareVertexProcessing = 0x20;
inline constexpr uint32_t kCreateHardwareVertexProcessing = 0x40;
inline constexpr uint32_t kCreateMixedVertexProcessing = 0x80;

// Device capability bits reported in Caps.
inline constexpr uint32_t kDevCapsHwTransformAndLight = 0x10000;
inline constexpr uint32_t kStencilCapsTwoSided = 0x100;

enum class Format : uint32_t {
    Unknown = 0,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    X1R5G5B5 = 24,
    A1R5G5B5 = 25,
    A2R10G10B10 = 35,
    D15S1 = 73,
    D24S8 = 75,
    D24X8 = 77,
    D24X4S4 = 79,
    D16 = 80,
    D24FS8 = 83,
    Index16 = 101,
    Index32 = 102,
};

// Sample count of a multisampled surface; 0 is none, 2..16 the count.
using MultisampleType = uint32_t;

enum class Pool : uint32_t { Default = 0, Managed = 1 };

inline constexpr uint32_t kUsageWriteOnly = 0x8;

inline constexpr uint32_t kLockReadOnly = 0x10;

inline constexpr uint32_t kClearTarget = 0x1;
inline constexpr uint32_t kClearZBuffer = 0x2;
inline constexpr uint32_t kClearStencil = 0x4;

// 0xAARRGGBB.
using Color = uint32_t;

[[nodiscard]] constexpr Color ColorArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

// Flexible vertex format bits: the vertex layout of a buffer or a draw from
// memory. Texture coordinates are two floats per set.
inline constexpr uint32_t kFvfXyz = 0x002;
inline constexpr uint32_t kFvfXyzRhw = 0x004;
inline constexpr uint32_t kFvfNormal = 0x010;
inline constexpr uint32_t kFvfDiffuse = 0x040;
inline constexpr uint32_t kFvfSpecular = 0x080;
inline constexpr uint32_t kFvfTex1 = 0x100;
inline constexpr uint32_t kFvfTexCountMask = 0xF00;
inline constexpr uint32_t kFvfTexCountShift = 8;

enum class PrimitiveType : uint32_t {
    PointList = 1,
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
};

enum class TransformType : uint32_t { View = 2, Projection = 3, World = 256 };

enum class RenderState : uint32_t {
    ZEnable = 7,
    FillMode = 8,
    ShadeMode = 9,
    ZWriteEnable = 14,
    AlphaTestEnable = 15,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    ZFunc = 23,
    AlphaRef = 24,
    AlphaFunc = 25,
    AlphaBlendEnable = 27,
    SpecularEnable = 29,
    StencilEnable = 52,
    StencilFail = 53,
    StencilZFail = 54,
    StencilPass = 55,
    StencilFunc = 56,
    StencilRef = 57,
    StencilMask = 58,
    StencilWriteMask = 59,
    TextureFactor = 60,
    Lighting = 137,
    Ambient = 139,
    ColorVertex = 141,
    LocalViewer = 142,
    NormalizeNormals = 143,
    ClipPlaneEnable = 152,
    MultisampleAntialias = 161,
    MultisampleMask = 162,
    ColorWriteEnable = 168,
    AntialiasedLineEnable = 176,
    TwoSidedStencilMode = 185,
    CcwStencilFail = 186,
    CcwStencilZFail = 187,
    CcwStencilPass = 188,
    CcwStencilFunc = 189,
};
inline constexpr uint32_t kRenderStateCount = 256;

enum FillMode : uint32_t { kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3 };
enum ShadeMode : uint32_t { kShadeFlat = 1, kShadeGouraud = 2 };
enum CullMode : uint32_t { kCullNone = 1, kCullCw = 2, kCullCcw = 3 };

enum Blend : uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcColor = 3,
    kBlendInvSrcColor = 4,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInvDestAlpha = 8,
    kBlendDestColor = 9,
    kBlendInvDestColor = 10,
    kBlendSrcAlphaSat = 11,
};

enum Cmp : uint32_t {
    kCmpNever = 1,
    kCmpLess = 2,
    kCmpEqual = 3,
    kCmpLessEqual = 4,
    kCmpGreater = 5,
    kCmpNotEqual = 6,
    kCmpGreaterEqual = 7,
    kCmpAlways = 8,
};

// Incr and Decr wrap around; IncrSat and DecrSat clamp.
enum StencilOp : uint32_t {
    kStencilOpKeep = 1,
    kStencilOpZero = 2,
    kStencilOpReplace = 3,
    kStencilOpIncrSat = 4,
    kStencilOpDecrSat = 5,
    kStencilOpInvert = 6,
    kStencilOpIncr = 7,
    kStencilOpDecr = 8,
};

inline constexpr uint32_t kColorWriteRed = 0x1;
inline constexpr uint32_t kColorWriteGreen = 0x2;
inline constexpr uint32_t kColorWriteBlue = 0x4;
inline constexpr uint32_t kColorWriteAlpha = 0x8;

enum class TextureStageState : uint32_t {
    ColorOp = 1,
    ColorArg1 = 2,
    ColorArg2 = 3,
    AlphaOp = 4,
    AlphaArg1 = 5,
    AlphaArg2 = 6,
    TexCoordIndex = 11,
};

enum TextureOp : uint32_t {
    kTopDisable = 1,
    kTopSelectArg1 = 2,
    kTopSelectArg2 = 3,
    kTopModulate = 4,
    kTopModulate2x = 5,
    kTopModulate4x = 6,
    kTopAdd = 7,
    kTopAddSigned = 8,
    kTopAddSigned2x = 9,
    kTopSubtract = 10,
    kTopBlendDiffuseAlpha = 12,
    kTopBlendTextureAlpha = 13,
    kTopBlendFactorAlpha = 14,
    kTopBlendCurrentAlpha = 16,
    kTopDotProduct3 = 24,
};

// Texture stage arguments; the modifiers are or-ed onto a source.
inline constexpr uint32_t kTaSelectMask = 0x0F;
inline constexpr uint32_t kTaDiffuse = 0;
inline constexpr uint32_t kTaCurrent = 1;
inline constexpr uint32_t kTaTexture = 2;
inline constexpr uint32_t kTaTFactor = 3;
inline constexpr uint32_t kTaComplement = 0x10;
inline constexpr uint32_t kTaAlphaReplicate = 0x20;

enum class SamplerState : uint32_t {
    AddressU = 1,
    AddressV = 2,
    MagFilter = 5,
    MinFilter = 6,
    MipFilter = 7,
    MaxAnisotropy = 10,
};

enum TextureAddress : uint32_t {
    kAddressWrap = 1,
    kAddressMirror = 2,
    kAddressClamp = 3,
    kAddressBorder = 4,
    kAddressMirrorOnce = 5,
};

enum TextureFilter : uint32_t {
    kFilterNone = 0,
    kFilterPoint = 1,
    kFilterLinear = 2,
    kFilterAnisotropic = 3,
};

inline constexpr uint32_t kMaxTextureStages = 8;
inline constexpr uint32_t kMaxLights = 8;
inline constexpr uint32_t kMaxClipPlanes = 6;

// Pixel rectangle of the render target, origin top left; depth range 0..1.
struct Viewport {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t refreshRate = 0;
    Format format = Format::Unknown;
};

struct Caps {
    DeviceType deviceType = DeviceType::Hal;
    uint32_t devCaps = 0;
    uint32_t stencilCaps = 0;
    uint32_t maxAnisotropy = 1;
    uint32_t maxActiveLights = 0;
    uint32_t maxUserClipPlanes = 0;
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
    uint32_t maxSimultaneousTextures = 0;
};

class RenderContext;

// What a device is created with, and kept for Reset. A zero back-buffer
// width or height takes the window's.
struct PresentParameters {
    uint32_t backBufferWidth = 0;
    uint32_t backBufferHeight = 0;
    Format backBufferFormat = Format::Unknown;
    MultisampleType multiSampleType = 0;
    uint32_t multiSampleQuality = 0;
    RenderContext* deviceWindow = nullptr;
    bool enableAutoDepthStencil = false;
    Format autoDepthStencilFormat = Format::Unknown;
};

}  // namespace gfx
