#pragma once

#include <string>

#include "document/LibraryBrowserLink.h"

class CHousDoc;
class CModelObject;
class CPhotoObject;
struct ModelCatalogEntry;
struct PictureCatalogEntry;

// How a browser places its entry; the browser's mode and check box.
struct LibraryPlacingOptions {
    // 0 add, 1 replace the selection, 2 door or window, 3 door frame.
    int mode = 0;
    // "置換後大小不變": a replacement keeps the replaced object's size.
    bool keepSize = false;
};

// What placing a model did.
struct ModelPlacingResult {
    // The new object (the last one of a replacement); null when nothing was
    // placed.
    CModelObject* placed = nullptr;
    // Door mode: the model is a door.
    bool doorFlag = false;
};

// The furniture browser's entry made into a model of the design at the drop
// point: added with its undo record, or replacing the selected models.
// Reads the entry's package again, whole. A package that cannot be built is
// reported and nothing is placed.
ModelPlacingResult PlaceModelEntry(CHousDoc& doc, ModelCatalogEntry& entry,
                                   const LibraryDropPoint& drop,
                                   const LibraryPlacingOptions& options);

// The photo browser's picture made into a photo of the design at the drop
// point, or in replace mode put in place of the selected photos. The new
// photo (the last one of a replacement), or null when nothing was placed.
CPhotoObject* PlacePhotoEntry(CHousDoc& doc, const PictureCatalogEntry& entry,
                              const LibraryDropPoint& drop, const LibraryPlacingOptions& options);
