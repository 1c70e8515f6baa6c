#include "platform/gfx/GLErrors.h"

#include <epoxy/gl.h>

namespace gfx {

GLErrorState DrainGLErrors() {
    GLErrorState state = GLErrorState::None;
    // A lost context may report its loss on every call: the bound keeps this
    // from spinning.
    for (int i = 0; i < 32; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) {
            break;
        }
        if (error == GL_CONTEXT_LOST) {
            return GLErrorState::ContextLost;
        }
        state = GLErrorState::Error;
    }
    return state;
}

}  // namespace gfx
