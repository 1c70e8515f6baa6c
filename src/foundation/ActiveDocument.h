#pragma once

#include <functional>

// The document of the active design window. The foundation cannot see the
// document layer, so the shell installs an accessor that finds it.

class CHousDoc;

using ActiveDocumentAccessor = std::function<CHousDoc*()>;

// Null when no accessor is installed or there is no active document.
CHousDoc* GetActiveHousDoc();

// An empty accessor removes the current one.
void SetActiveHousDocAccessor(ActiveDocumentAccessor accessor);
