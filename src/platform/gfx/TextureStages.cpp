#include "platform/gfx/TextureStages.h"

#include <epoxy/gl.h>

#include "platform/gfx/GLStateMap.h"

namespace gfx {

namespace {

// The member a state names, const or not as the settings are.
template <typename Settings>
auto Field(Settings& s, TextureStageState type) -> decltype(&s.colorOp) {
    switch (type) {
        case TextureStageState::ColorOp:
            return &s.colorOp;
        case TextureStageState::ColorArg1:
            return &s.colorArg1;
        case TextureStageState::ColorArg2:
            return &s.colorArg2;
        case TextureStageState::AlphaOp:
            return &s.alphaOp;
        case TextureStageState::AlphaArg1:
            return &s.alphaArg1;
        case TextureStageState::AlphaArg2:
            return &s.alphaArg2;
        case TextureStageState::TexCoordIndex:
            return &s.texCoordIndex;
    }
    return nullptr;
}

bool ReadsTexture(uint32_t op, uint32_t arg1, uint32_t arg2) {
    if (op == kTopDisable) {
        return false;
    }
    const bool first = (arg1 & kTaSelectMask) == kTaTexture && op != kTopSelectArg2;
    const bool second = (arg2 & kTaSelectMask) == kTaTexture && op != kTopSelectArg1;
    return first || second || op == kTopBlendTextureAlpha;
}

GLint SourceToGL(uint32_t arg) {
    switch (arg & kTaSelectMask) {
        case kTaDiffuse:
            return GL_PRIMARY_COLOR;
        case kTaTexture:
            return GL_TEXTURE;
        case kTaTFactor:
            return GL_CONSTANT;
        default:
            return GL_PREVIOUS;
    }
}

GLint OperandToGL(uint32_t arg, bool alpha) {
    const bool complement = (arg & kTaComplement) != 0;
    if (alpha || (arg & kTaAlphaReplicate) != 0) {
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    }
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

// One half (colour or alpha) of a stage on the current unit.
void SetCombine(uint32_t op, uint32_t arg1, uint32_t arg2, bool alpha) {
    static constexpr GLenum kColorSources[3] = {GL_SRC0_RGB, GL_SRC1_RGB, GL_SRC2_RGB};
    static constexpr GLenum kAlphaSources[3] = {GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_SRC2_ALPHA};
    static constexpr GLenum kColorOperands[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
    static constexpr GLenum kAlphaOperands[3] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA,
                                                 GL_OPERAND2_ALPHA};
    const GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum* sources = alpha ? kAlphaSources : kColorSources;
    const GLenum* operands = alpha ? kAlphaOperands : kColorOperands;
    GLint mode = GL_MODULATE;
    GLfloat scale = 1.0f;
    GLint interpolator = 0;
    switch (op) {
        case kTopSelectArg1:
            mode = GL_REPLACE;
            break;
        case kTopSelectArg2:
            mode = GL_REPLACE;
            arg1 = arg2;
            break;
        case kTopModulate2x:
            scale = 2.0f;
            break;
        case kTopModulate4x:
            scale = 4.0f;
            break;
        case kTopAdd:
            mode = GL_ADD;
            break;
        case kTopAddSigned:
            mode = GL_ADD_SIGNED;
            break;
        case kTopAddSigned2x:
            mode = GL_ADD_SIGNED;
            scale = 2.0f;
            break;
        case kTopSubtract:
            mode = GL_SUBTRACT;
            break;
        case kTopBlendDiffuseAlpha:
            interpolator = GL_PRIMARY_COLOR;
            break;
        case kTopBlendTextureAlpha:
            interpolator = GL_TEXTURE;
            break;
        case kTopBlendFactorAlpha:
            interpolator = GL_CONSTANT;
            break;
        case kTopBlendCurrentAlpha:
            interpolator = GL_PREVIOUS;
            break;
        case kTopDotProduct3:
            // The dot product goes to all four channels, alpha included.
            mode = alpha ? GL_REPLACE : GL_DOT3_RGBA;
            break;
        default:
            break;
    }
    if (interpolator != 0) {
        mode = GL_INTERPOLATE;
        glTexEnvi(GL_TEXTURE_ENV, sources[2], interpolator);
        glTexEnvi(GL_TEXTURE_ENV, operands[2], GL_SRC_ALPHA);
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, mode);
    glTexEnvi(GL_TEXTURE_ENV, sources[0], SourceToGL(arg1));
    glTexEnvi(GL_TEXTURE_ENV, operands[0], OperandToGL(arg1, alpha));
    glTexEnvi(GL_TEXTURE_ENV, sources[1], SourceToGL(arg2));
    glTexEnvi(GL_TEXTURE_ENV, operands[1], OperandToGL(arg2, alpha));
    glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
}

}  // namespace

bool TextureStageSettings::Set(TextureStageState type, uint32_t value) {
    uint32_t* field = Field(*this, type);
    if (field == nullptr) {
        return false;
    }
    *field = value;
    return true;
}

bool TextureStageSettings::Get(TextureStageState type, uint32_t* value) const {
    const uint32_t* field = Field(*this, type);
    if (field == nullptr || value == nullptr) {
        return false;
    }
    *value = *field;
    return true;
}

std::array<int, kMaxTextureStages> ApplyTextureStages(
    const TextureStageArray& stages, const std::array<unsigned, kMaxTextureStages>& textures,
    Color textureFactor, unsigned whiteTexture, int unitCount, AppliedTextureUnits& applied) {
    std::array<int, kMaxTextureStages> coordSets;
    coordSets.fill(-1);
    bool cascadeOn = true;
    bool unitSelected = false;
    auto selectUnit = [&unitSelected](int unit) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        unitSelected = unit != 0;
    };
    for (int unit = 0; unit < unitCount; ++unit) {
        const TextureStageSettings& stage = stages[static_cast<size_t>(unit)];
        AppliedTextureUnit& last = applied[static_cast<size_t>(unit)];
        AppliedTextureUnit wanted;
        wanted.valid = true;
        cascadeOn = cascadeOn && stage.colorOp != kTopDisable;
        if (cascadeOn) {
            const unsigned texture = textures[static_cast<size_t>(unit)];
            uint32_t colorOp = stage.colorOp;
            uint32_t colorArg1 = stage.colorArg1;
            // Alpha switched off under a running colour stage keeps the alpha
            // that came in.
            uint32_t alphaOp = stage.alphaOp == kTopDisable ? kTopSelectArg1 : stage.alphaOp;
            uint32_t alphaArg1 = stage.alphaOp == kTopDisable ? kTaCurrent : stage.alphaArg1;
            if (texture == 0) {
                if (ReadsTexture(colorOp, colorArg1, stage.colorArg2)) {
                    colorOp = kTopSelectArg1;
                    colorArg1 = kTaCurrent;
                }
                if (ReadsTexture(alphaOp, alphaArg1, stage.alphaArg2)) {
                    alphaOp = kTopSelectArg1;
                    alphaArg1 = kTaCurrent;
                }
            }
            const bool passThrough = colorOp == kTopSelectArg1 && colorArg1 == kTaCurrent &&
                                     alphaOp == kTopSelectArg1 && alphaArg1 == kTaCurrent;
            if (texture != 0 || !passThrough) {
                wanted.enabled = true;
                wanted.texture = texture != 0 ? texture : whiteTexture;
                wanted.factor = textureFactor;
                wanted.combine = {colorOp, colorArg1, stage.colorArg2,
                                  alphaOp, alphaArg1, stage.alphaArg2};
                coordSets[static_cast<size_t>(unit)] =
                    static_cast<int>(stage.texCoordIndex & 0xFFFF);
            }
        }
        if (last.valid && last.enabled == wanted.enabled &&
            (!wanted.enabled || (last.texture == wanted.texture && last.factor == wanted.factor &&
                                 last.combine == wanted.combine))) {
            continue;
        }
        selectUnit(unit);
        if (!wanted.enabled) {
            glDisable(GL_TEXTURE_2D);
            last = wanted;
            continue;
        }
        if (!last.valid || !last.enabled || last.texture != wanted.texture) {
            glBindTexture(GL_TEXTURE_2D, wanted.texture);
        }
        if (!last.valid || !last.enabled) {
            glEnable(GL_TEXTURE_2D);
        }
        if (!last.valid || last.factor != wanted.factor || last.combine != wanted.combine) {
            GLfloat factor[4];
            ColorToFloats(textureFactor, factor);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
            glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
            const auto& c = wanted.combine;
            SetCombine(c[0], c[1], c[2], false);
            SetCombine(c[3], c[4], c[5], true);
        }
        last = wanted;
    }
    if (unitSelected) {
        glActiveTexture(GL_TEXTURE0);
    }
    return coordSets;
}

}  // namespace gfx
