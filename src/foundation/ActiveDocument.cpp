#include "foundation/ActiveDocument.h"

#include <utility>

namespace {

ActiveDocumentAccessor& CurrentAccessor() {
    static ActiveDocumentAccessor accessor;
    return accessor;
}

}  // namespace

CHousDoc* GetActiveHousDoc() {
    const ActiveDocumentAccessor& accessor = CurrentAccessor();
    return accessor ? accessor() : nullptr;
}

void SetActiveHousDocAccessor(ActiveDocumentAccessor accessor) {
    CurrentAccessor() = std::move(accessor);
}
