#include "platform/gfx/TextureBmp.h"

#include <string_view>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/gfx/Texture.h"
#include "platform/image/BmpWriter.h"

namespace gfx {

Result SaveTextureToBmp(Texture* texture, std::vector<uint8_t>* file) {
    if (texture == nullptr || file == nullptr) {
        return kErrInvalidCall;
    }
    LockedRect locked;
    const Result result = texture->LockRect(0, &locked, kLockReadOnly);
    if (Failed(result)) {
        return result;
    }
    *file = image::EncodeBmp24(
        static_cast<int>(texture->GetWidth(0)), static_cast<int>(texture->GetHeight(0)),
        static_cast<const uint8_t*>(locked.bits), static_cast<size_t>(locked.pitch));
    texture->UnlockRect(0);
    return file->empty() ? kErrFail : kOk;
}

Result SaveTextureToBmpFile(Texture* texture, const std::string& path, std::string* error) {
    std::vector<uint8_t> file;
    const Result result = SaveTextureToBmp(texture, &file);
    if (Failed(result)) {
        if (error != nullptr) {
            *error = "無法將貼圖轉成 BMP 影像。";
        }
        return result;
    }
    const pfs::Result<void> written = pfs::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    if (!written) {
        if (error != nullptr) {
            *error = written.Error();
        }
        return kErrFail;
    }
    return kOk;
}

}  // namespace gfx
