#include "platform/gfx/GLStateMap.h"

#include <epoxy/gl.h>

namespace gfx {

unsigned BlendToGL(uint32_t blend) {
    switch (blend) {
        case kBlendZero:
            return GL_ZERO;
        case kBlendOne:
            return GL_ONE;
        case kBlendSrcColor:
            return GL_SRC_COLOR;
        case kBlendInvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case kBlendSrcAlpha:
            return GL_SRC_ALPHA;
        case kBlendInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case kBlendDestAlpha:
            return GL_DST_ALPHA;
        case kBlendInvDestAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
        case kBlendDestColor:
            return GL_DST_COLOR;
        case kBlendInvDestColor:
            return GL_ONE_MINUS_DST_COLOR;
        case kBlendSrcAlphaSat:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ONE;
    }
}

unsigned CmpToGL(uint32_t cmp) {
    switch (cmp) {
        case kCmpNever:
            return GL_NEVER;
        case kCmpLess:
            return GL_LESS;
        case kCmpEqual:
            return GL_EQUAL;
        case kCmpLessEqual:
            return GL_LEQUAL;
        case kCmpGreater:
            return GL_GREATER;
        case kCmpNotEqual:
            return GL_NOTEQUAL;
        case kCmpGreaterEqual:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

unsigned StencilOpToGL(uint32_t op) {
    switch (op) {
        case kStencilOpZero:
            return GL_ZERO;
        case kStencilOpReplace:
            return GL_REPLACE;
        case kStencilOpIncrSat:
            return GL_INCR;
        case kStencilOpDecrSat:
            return GL_DECR;
        case kStencilOpInvert:
            return GL_INVERT;
        case kStencilOpIncr:
            return GL_INCR_WRAP;
        case kStencilOpDecr:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

unsigned FillModeToGL(uint32_t mode) {
    switch (mode) {
        case kFillPoint:
            return GL_POINT;
        case kFillWireframe:
            return GL_LINE;
        default:
            return GL_FILL;
    }
}

int AddressToGL(uint32_t address) {
    switch (address) {
        case kAddressMirror:
            return GL_MIRRORED_REPEAT;
        case kAddressClamp:
            return GL_CLAMP_TO_EDGE;
        case kAddressBorder:
            return GL_CLAMP_TO_BORDER;
        case kAddressMirrorOnce:
            return GL_MIRROR_CLAMP_TO_EDGE;
        default:
            return GL_REPEAT;
    }
}

int MinFilterToGL(uint32_t minFilter, uint32_t mipFilter) {
    // Anisotropic filtering is linear filtering with a raised anisotropy.
    const bool linear = minFilter == kFilterLinear || minFilter == kFilterAnisotropic;
    switch (mipFilter) {
        case kFilterPoint:
            return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        case kFilterLinear:
        case kFilterAnisotropic:
            return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        default:
            return linear ? GL_LINEAR : GL_NEAREST;
    }
}

int MagFilterToGL(uint32_t magFilter) {
    return magFilter == kFilterLinear || magFilter == kFilterAnisotropic ? GL_LINEAR : GL_NEAREST;
}

void ColorToFloats(Color color, float out[4]) {
    out[0] = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<float>(color & 0xFF) / 255.0f;
    out[3] = static_cast<float>((color >> 24) & 0xFF) / 255.0f;
}

unsigned PrimitiveToGL(PrimitiveType type) {
    switch (type) {
        case PrimitiveType::PointList:
            return GL_POINTS;
        case PrimitiveType::LineList:
            return GL_LINES;
        case PrimitiveType::LineStrip:
            return GL_LINE_STRIP;
        case PrimitiveType::TriangleList:
            return GL_TRIANGLES;
        case PrimitiveType::TriangleStrip:
            return GL_TRIANGLE_STRIP;
        case PrimitiveType::TriangleFan:
            return GL_TRIANGLE_FAN;
    }
    return 0;
}

uint64_t VerticesForPrimitives(PrimitiveType type, uint32_t primitiveCount) {
    const uint64_t n = primitiveCount;
    switch (type) {
        case PrimitiveType::PointList:
            return n;
        case PrimitiveType::LineList:
            return 2 * n;
        case PrimitiveType::LineStrip:
            return n + 1;
        case PrimitiveType::TriangleList:
            return 3 * n;
        case PrimitiveType::TriangleStrip:
        case PrimitiveType::TriangleFan:
            return n + 2;
    }
    return 0;
}

}  // namespace gfx
