#pragma once

#include "document/DesignFileHeader.h"
#include "document/DocumentBlock.h"
#include "document/PlanStateBlock.h"
#include "document/ViewPointTable.h"

// The front of a design file as read and checked, before any of it is
// applied: the blocks and the view-point table only as far as the file's
// version has them.
struct DesignFileFront {
    DesignFileHeader header;
    bool hasBlocks = false;
    bool hasViewPoints = false;
    PlanStateBlockBytes planState{};
    DocumentBlockBytes document{};
    ViewPointTable viewPoints{};
};
