#pragma once

namespace gfx {

enum class GLErrorState { None, Error, ContextLost };

// Empties the GL error queue and tells the worst thing it held.
GLErrorState DrainGLErrors();

}  // namespace gfx
