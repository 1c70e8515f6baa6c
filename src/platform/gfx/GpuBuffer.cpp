#include "platform/gfx/GpuBuffer.h"

#include <epoxy/gl.h>

namespace gfx {

GpuBuffer::GpuBuffer(Device* device, uint32_t length) : Resource(device), m_data(length) {
    if (ActivateDevice()) {
        RestoreGL();
    }
}

GpuBuffer::~GpuBuffer() {
    if (ActivateDevice()) {
        DestroyGL();
    }
}

void GpuBuffer::DestroyGL() {
    glDeleteBuffers(1, &m_buffer);
    m_buffer = 0;
}

void GpuBuffer::RestoreGL() {
    glGenBuffers(1, &m_buffer);
    // The copy-write target leaves the vertex and index bindings alone.
    glBindBuffer(GL_COPY_WRITE_BUFFER, m_buffer);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(m_data.size()), m_data.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

Result GpuBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    if (data == nullptr || m_locked) {
        return kErrInvalidCall;
    }
    const uint64_t length = m_data.size();
    if (offset == 0 && size == 0) {
        size = static_cast<uint32_t>(length);
    }
    if (static_cast<uint64_t>(offset) + size > length) {
        return kErrInvalidCall;
    }
    m_locked = true;
    m_lockReadOnly = (flags & kLockReadOnly) != 0;
    m_lockOffset = offset;
    m_lockSize = size;
    *data = m_data.data() + offset;
    return kOk;
}

Result GpuBuffer::Unlock() {
    if (!m_locked) {
        return kErrInvalidCall;
    }
    m_locked = false;
    if (!m_lockReadOnly && m_lockSize > 0 && ActivateDevice()) {
        glBindBuffer(GL_COPY_WRITE_BUFFER, m_buffer);
        glBufferSubData(GL_COPY_WRITE_BUFFER, m_lockOffset, m_lockSize,
                        m_data.data() + m_lockOffset);
        glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    }
    return kOk;
}

}  // namespace gfx
