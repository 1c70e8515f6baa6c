#pragma once

#include <wx/gdicmn.h>

class IDocumentView;

// The plan or 3D view whose window lies under the screen point, found from
// the innermost window there up through its parents, and the point in that
// window's client coordinates; null over any other window.
IDocumentView* FindDocumentViewAt(const wxPoint& screenPoint, wxPoint* clientPoint);
