#pragma once

#include <optional>

#include "document/HousDoc.h"

// The document's picked-object kind of a 3D object type; nothing for the
// plan's own types.
[[nodiscard]] std::optional<CHousDoc::PickedKind> PickedKindOfType(int type);
