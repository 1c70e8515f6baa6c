#pragma once

#include <string_view>

// File-type codes by extension. Codes are stored and compared by callers, so
// the values are fixed.
enum FileTypeCode : int {
    kFileTypeUnknown = 0,
    kFileTypeMpg = 1,
    kFileTypeMpeg = 2,
    kFileTypeMpeg2 = 3,
    kFileTypeMp4 = 4,
    kFileType264 = 5,
    kFileTypeH264 = 6,
    kFileTypeM2ts = 7,
    kFileTypeAsf = 16,
    kFileTypeWmv = 17,
    kFileTypeWma = 18,
    kFileTypeVc1 = 19,
    kFileTypeDvrMs = 32,
    kFileTypeJpg = 48,
    kFileTypeJpeg = 49,
    kFileTypeBmp = 50,
    kFileTypeTga = 51,
    kFileType3gp = 64,
    kFileTypeAmr = 65,
    kFileTypeBdav = 80,
    kFileTypeBdmv = 81,
    kFileTypeKar = 97,
    kFileTypeMid = 98,
    kFileTypeCdg = 99,
    kFileTypeMp3 = 100,
    kFileTypeAvi = 113,
    kFileTypeTextDesign = 114,  // .dsg
    kFileTypeDesign = 115,      // .dg6
    kFileTypeDxf = 121,
    kFileTypePackagedModel = 122,  // .qvx
    kFileTypeMaterial = 123,       // .qvp
    kFileTypeDesignPackage = 124,  // .sca6
};

// The code of the path's extension (from its last '.' after the last '/' or
// '\'), ignoring ASCII case; kFileTypeUnknown without a known extension.
int GetFileTypeByExtension(std::string_view path);
