#pragma once

#include "foundation/WinTypes.h"

class CHousDoc;

// A library entry dragged out of a browser let go over the plan at the
// client pixel: the placing request ends, and the browser places its model
// or photo with the footprint's corner at that plan point on the current
// floor. Nothing is placed while the document is busy or no browsers are
// attached.
void DropLibraryEntryOnPlan(CHousDoc& doc, POINT client);
