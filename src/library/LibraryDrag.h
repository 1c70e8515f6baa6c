#pragma once

#include <string>

#include "library/LibraryBrowserTree.h"

struct LibraryPlacement;
struct TextureCatalogEntry;

// How a press on a library browser's thumbnail starts a drag of its entry
// through the document's placement fields, and how the drag ends. The views
// read those fields when the entry is let go over them.

// What the views need to size the selected entry before it is placed:
// centimetres, and the name of the folder that directly holds its file.
void StoreSelectedEntrySize(LibraryPlacement& placement, float depth, float height, float width,
                            const std::string& filePath);

// The furniture and photo browsers drag only in add mode: the placement
// request is set with the kind 0 (furniture) or 4 (photo). False when no
// drag starts.
bool StartPlacementDrag(LibraryPlacement& placement, BrowserLibrary library, int mode);

// The texture browser drags in any mode: the entry's file and image become
// the pending texture, with its tile size given by the entry.
void StartTextureDrag(LibraryPlacement& placement, const TextureCatalogEntry& entry, bool ctrl);

// The pending texture is forgotten: no path, no image, no drag.
void ClearPendingTexture(LibraryPlacement& placement);

// True while a drag of the browser's library is in progress.
bool IsLibraryDragPending(const LibraryPlacement& placement, BrowserLibrary library);

// The drag ends without effect, or after a view took the drop.
void EndLibraryDrag(LibraryPlacement& placement, BrowserLibrary library);
