#pragma once

#include <string>

struct PictureCatalogEntry;
class C3DObject;

// Where a library entry dragged out of a browser was let go, in the scene's
// x, z and the floor elevation y. The browsers' own buttons place without a
// point: x = -100, z = 100.
struct LibraryDropPoint {
    float x = -100.0f;
    float z = 100.0f;
    float y = 0.0f;
    // 1: the object's centre goes to the point (3D view); 0: the corner of
    // its footprint does (plan view).
    int centre = 0;

    // Only the plan's visible quadrant counts (plan y = -z).
    [[nodiscard]] bool IsUsed() const { return x >= 0.0f && z <= 0.0f; }
};

// The library browsers as the views reach them: the 3D view holds them, the
// document hands them to whoever places a dragged entry.
class ILibraryBrowsers {
public:
    virtual ~ILibraryBrowsers() = default;

    // The furniture browser's selected entry placed at the point; the new
    // object, or null when nothing was placed.
    virtual C3DObject* PlaceSelectedModel(const LibraryDropPoint& drop) = 0;
    // The photo browser's selected picture placed at the point.
    virtual C3DObject* PlaceSelectedPhoto(const LibraryDropPoint& drop) = 0;
    // The given picture placed by the photo browser instead of its own
    // selection (the shadow picture of the 3D view).
    virtual C3DObject* PlacePictureEntry(const PictureCatalogEntry& entry,
                                         const LibraryDropPoint& drop) = 0;

    // Whether the texture browser is open, so that a click on a surface is
    // worth showing there.
    virtual bool IsTextureBrowserShown() const { return false; }
    // The texture browser selects the texture file of the surface the user
    // clicked in the 3D view.
    virtual void SelectSurfaceTexture(const std::string& /*texturePath*/) {}
};
