#include "platform/gfx/StretchResolve.h"

#include <epoxy/gl.h>

#include <string>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

namespace {

constexpr char kVertexShader[] = R"(#version 330
layout(location = 0) in vec2 position;
void main() {
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

// Bilinear filtering of the resolved picture: each of the four texels is
// the mean of its samples, as a resolve makes it. Window pixel centres map
// onto texel centres as a linear blit maps them.
constexpr char kFragmentShaderBody[] = R"(
uniform sampler2DMS image;
uniform vec2 scale;
uniform ivec2 lastTexel;
out vec4 colour;
vec4 Texel(ivec2 at) {
    at = clamp(at, ivec2(0), lastTexel);
    vec4 sum = vec4(0.0);
    for (int i = 0; i < kSamples; ++i) {
        sum += texelFetch(image, at, i);
    }
    return sum / float(kSamples);
}
void main() {
    vec2 at = gl_FragCoord.xy * scale - 0.5;
    vec2 base = floor(at);
    vec2 weight = at - base;
    ivec2 p = ivec2(base);
    colour = mix(mix(Texel(p), Texel(p + ivec2(1, 0)), weight.x),
                 mix(Texel(p + ivec2(0, 1)), Texel(p + ivec2(1, 1)), weight.x), weight.y);
}
)";

// One triangle that covers the whole viewport.
constexpr float kCover[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};

GLuint CompileShader(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint LinkProgram(int samples) {
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = CompileShader(
        GL_FRAGMENT_SHADER, "#version 330\nconst int kSamples = " + std::to_string(samples) +
                                ";\n" + kFragmentShaderBody);
    GLuint program = 0;
    if (vertex != 0 && fragment != 0) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    // Attached shaders live on with the program.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}

}  // namespace

std::unique_ptr<StretchResolve> StretchResolve::Create(int samples) {
    if (samples < 2) {
        return nullptr;
    }
    const GLuint program = LinkProgram(samples);
    if (program == 0) {
        return nullptr;
    }
    std::unique_ptr<StretchResolve> stretch(new StretchResolve());
    stretch->m_program = program;
    stretch->m_scaleLocation = glGetUniformLocation(program, "scale");
    stretch->m_lastTexelLocation = glGetUniformLocation(program, "lastTexel");
    GLint units = 1;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    stretch->m_unit = units - 1;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "image"), stretch->m_unit);
    glUseProgram(0);

    // Its own vertex array, so the device's arrays stay as they were.
    GLint previousBuffer = 0;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &previousBuffer);
    glGenVertexArrays(1, &stretch->m_vertexArray);
    glGenBuffers(1, &stretch->m_vertexBuffer);
    glBindVertexArray(stretch->m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, stretch->m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCover), kCover, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(previousBuffer));
    return stretch;
}

StretchResolve::~StretchResolve() {
    glDeleteProgram(m_program);
    glDeleteVertexArrays(1, &m_vertexArray);
    glDeleteBuffers(1, &m_vertexBuffer);
}

void StretchResolve::Draw(unsigned texture, int textureWidth, int textureHeight, int width,
                          int height) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    for (uint32_t i = 0; i < kMaxClipPlanes; ++i) {
        glDisable(GL_CLIP_PLANE0 + i);
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glViewport(0, 0, width, height);

    glUseProgram(m_program);
    glUniform2f(m_scaleLocation, static_cast<float>(textureWidth) / static_cast<float>(width),
                static_cast<float>(textureHeight) / static_cast<float>(height));
    glUniform2i(m_lastTexelLocation, textureWidth - 1, textureHeight - 1);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(m_unit));
    glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, texture);
    glBindVertexArray(m_vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, 0);
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
}

}  // namespace gfx
