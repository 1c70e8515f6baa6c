#include "platform/fs/StoredPath.h"

#include <gtest/gtest.h>

namespace {

using pfs::StoredPathKind;

TEST(StoredPath, LocalPathsAreStoredOnDriveZ) {
    const struct {
        const char* local;
        const char* stored;
    } cases[] = {
        {"/home/a/b.jpg", "Z:\\home\\a\\b.jpg"},
        {"/", "Z:\\"},
        {"/home/設計/許.dg6", "Z:\\home\\設計\\許.dg6"},
        {"STexture/a.jpg", "STexture\\a.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_EQ(pfs::ToStoredPath(c.local), c.stored);
        EXPECT_EQ(pfs::FromStoredPath(c.stored).path, c.local);
    }
}

TEST(StoredPath, StoredPathsMapToLocalRelativeOrForeign) {
    const struct {
        const char* stored;
        StoredPathKind kind;
        const char* path;
        const char* fileName;
    } cases[] = {
        {"Z:\\home\\a\\b.jpg", StoredPathKind::Local, "/home/a/b.jpg", "b.jpg"},
        {"z:\\home\\a\\b.jpg", StoredPathKind::Local, "/home/a/b.jpg", "b.jpg"},
        {"Z:\\設計\\許.dg6", StoredPathKind::Local, "/設計/許.dg6", "許.dg6"},
        {"Z:/home/a/b.jpg", StoredPathKind::Local, "/home/a/b.jpg", "b.jpg"},
        {"STexture\\木紋\\oak.jpg", StoredPathKind::Relative, "STexture/木紋/oak.jpg", "oak.jpg"},
        {"..\\BG\\sky.bmp", StoredPathKind::Relative, "../BG/sky.bmp", "sky.bmp"},
        {"chair.x", StoredPathKind::Relative, "chair.x", "chair.x"},
        {"C:\\Orvik\\SModel\\chair.x", StoredPathKind::Foreign, "", "chair.x"},
        {"d:\\lib/STexture\\許功蓋.jpg", StoredPathKind::Foreign, "", "許功蓋.jpg"},
        {"\\\\server\\share\\a.jpg", StoredPathKind::Foreign, "", "a.jpg"},
        {"\\SModel\\chair.x", StoredPathKind::Foreign, "", "chair.x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        pfs::MappedPath mapped = pfs::FromStoredPath(c.stored);
        EXPECT_EQ(mapped.kind, c.kind);
        EXPECT_EQ(mapped.path, c.path);
        EXPECT_EQ(mapped.fileName, c.fileName);
    }
}

}  // namespace
