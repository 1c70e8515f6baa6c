#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/LightMaterial.h"

class CDesignObject;
struct MaterialFileRecord;
struct TextureMappingRecord;
struct WallFaceItem;

// Small records the document keeps for the tools and dialogs of the design.
// Objects of types that the layers above define are handed in by those
// layers; shared_ptr keeps the deleter they supply, so the document owns
// them without seeing their types.

// The library entry being dragged from a browser into the views.
struct LibraryPlacement {
    int32_t inProgress = 0;  // set when a thumbnail is pressed, cleared when the browser closes
    int32_t kind = 0;        // 0 furniture, 4 photo
    float depth = 0.0f;      // catalogue sizes of the entry, cm
    float height = 0.0f;
    float width = 0.0f;
    std::string folder;  // the model's library sub-folder

    // A texture entry being dragged: plain, or with Ctrl held at the click.
    int32_t textureDrag = 0;
    int32_t textureDragCtrl = 0;
    std::string pendingTexturePath;
    // The entry's .bmp bytes, shared with the entry rather than pointing into it.
    std::shared_ptr<const std::vector<uint8_t>> pendingTextureImage;
    std::shared_ptr<TextureMappingRecord> pendingMapping;
};

// What the copy-texture (1100) and copy-split-line (1200) modes took from a
// face, and where it came from.
struct CopiedSurface {
    int32_t copyOneFace = 0;   // a texture was taken for one face
    int32_t copyAllFaces = 0;  // ... for all faces (Ctrl held)
    int32_t splitCopyActive = 0;
    std::string texturePath;
    float textureWidth = 0.0f;  // cm
    float textureHeight = 0.0f;
    std::shared_ptr<TextureMappingRecord> mapping;
    int32_t colorsFlag = 0;  // apply the colours too
    gfx::Material colors;
    int32_t sourceMirrorFlag = 0;
    int32_t imageFlag = 0;
    std::shared_ptr<MaterialFileRecord> image;
    std::vector<std::shared_ptr<WallFaceItem>> splitLines;
    CDesignObject* sourceObject = nullptr;  // only refers
    int32_t sourceIndex = -1;               // material or face index
};

// Options of video recording, kept from one recording to the next.
struct VideoSettings {
    double firstValue = 10.0;  // kept with the record; nothing reads them yet
    double secondValue = 2.0;
    int32_t useXvid = 0;
    int32_t frameRate = 20;
    int32_t quality = 9000;
    int32_t lastValue = 1;
};

// One design of a show catalogue file.
struct ShowCatalogEntry {
    std::string fileName;  // as stored
    std::string showName;
    std::string designer;
    std::string intro;
};

// The camera in plan terms, for the plan's camera marker.
struct CameraPlanPose {
    double heading = 0.0;  // radians, [0, 2 pi)
    double x = 0.0;
    double z = 0.0;
};
