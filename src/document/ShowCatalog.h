#pragma once

#include <string>

class CHousDoc;

// One operation on the showcase files of a folder.
struct ShowCatalogRequest {
    enum Operation { kLoad = 0, kStore = 1, kAdd = 2, kRemove = 3, kFind = 4 };

    std::string folder;       // local, ending in '/'; matched ignoring ASCII case
    std::string filePattern;  // a file name or a pattern: "S*_SHOW.ini", "*.ini"
    int operation = kLoad;
    std::string fileName;  // the one file kFind looks in
};

// Runs the request for the document's design path and fills the document's
// show entry list with the entries of every file visited. 1 when the design
// was found (load, store, remove, find) or added (add); 0 when it was not,
// when add finds it listed already, or when a file could not be written.
//   load:   the entry's show name, designer and introduction go into the
//           document's settings, the file's group number into the document.
//   store:  the document's design path and show values go over the entry.
//   add:    appended to "S<group>_Show.ini" of the document's group, or to
//           "NonGroup.ini" when that is the pattern.
//   remove: taken out of the file that lists it.
int UpdateShowCatalog(CHousDoc& document, const ShowCatalogRequest& request);
