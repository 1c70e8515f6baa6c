#pragma once

#include <array>

#include "foundation/WinTypes.h"

// The five areas over the paper frame that show its tooltip, in client
// pixels: the left, top, right and bottom edges and the handle.
using PaperTipRects = std::array<RECT, 5>;

// The frame's centre: the sum of its corners halved, truncated.
POINT GetPaperFrameCentre(const RECT& frame);

// Each edge as a band of +-band pixels around its line, and the handle as a
// square of +-handleHalfSize around the handle point.
PaperTipRects ComputePaperTipRects(const RECT& frame, int band, POINT handle, int handleHalfSize);

// The first area holding the point; -1 when none does.
int FindPaperTip(const PaperTipRects& rects, POINT point);
