#include "foundation/FileTypes.h"

#include <utility>

#include "foundation/PathUtils.h"
#include "platform/text/AsciiCase.h"

namespace {

constexpr std::pair<std::string_view, int> kFileTypes[] = {
    {".mpg", kFileTypeMpg},
    {".mpeg", kFileTypeMpeg},
    {".mpeg2", kFileTypeMpeg2},
    {".mp4", kFileTypeMp4},
    {".264", kFileType264},
    {".h264", kFileTypeH264},
    {".m2ts", kFileTypeM2ts},
    {".asf", kFileTypeAsf},
    {".wmv", kFileTypeWmv},
    {".wma", kFileTypeWma},
    {".vc1", kFileTypeVc1},
    {".dvr-ms", kFileTypeDvrMs},
    {".jpg", kFileTypeJpg},
    {".jpeg", kFileTypeJpeg},
    {".bmp", kFileTypeBmp},
    {".tga", kFileTypeTga},
    {".3gp", kFileType3gp},
    {".amr", kFileTypeAmr},
    {".bdav", kFileTypeBdav},
    {".bdmv", kFileTypeBdmv},
    {".kar", kFileTypeKar},
    {".mid", kFileTypeMid},
    {".cdg", kFileTypeCdg},
    {".mp3", kFileTypeMp3},
    {".avi", kFileTypeAvi},
    {".dsg", kFileTypeTextDesign},
    {".dg6", kFileTypeDesign},
    {".dxf", kFileTypeDxf},
    {".qvx", kFileTypePackagedModel},
    {".qvp", kFileTypeMaterial},
    {".sca6", kFileTypeDesignPackage},
};

}  // namespace

int GetFileTypeByExtension(std::string_view path) {
    const std::string name = GetPathFileName(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return kFileTypeUnknown;
    }
    const std::string extension = text::AsciiToLower(name.substr(dot));
    for (const auto& [known, code] : kFileTypes) {
        if (extension == known) {
            return code;
        }
    }
    return kFileTypeUnknown;
}
