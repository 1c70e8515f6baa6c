#include "foundation/ResourceStrings.h"

#include <utility>

namespace {

struct ResourceStringTables {
    CStringTable builtIn;
    CStringTable overrides;
};

ResourceStringTables& Tables() {
    static ResourceStringTables tables;
    return tables;
}

}  // namespace

void SetResourceStringTables(CStringTable builtIn, CStringTable overrides) {
    Tables() = ResourceStringTables{std::move(builtIn), std::move(overrides)};
}

std::string LoadResourceString(unsigned id) {
    const ResourceStringTables& tables = Tables();
    // An empty override counts as missing, as an empty resource string did.
    if (const std::string* text = tables.overrides.Find(id); text && !text->empty()) {
        return *text;
    }
    if (const std::string* text = tables.builtIn.Find(id)) {
        return *text;
    }
    return {};
}

void LoadProductTitle(std::string& title) {
    title = LoadResourceString(kProductTitleStringId);
}
