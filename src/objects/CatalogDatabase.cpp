#include "objects/CatalogDatabase.h"

#include <utility>

namespace {

CatalogDatabaseFactory& InstalledFactory() {
    static CatalogDatabaseFactory factory;
    return factory;
}

}  // namespace

void SetCatalogDatabaseFactory(CatalogDatabaseFactory factory) {
    InstalledFactory() = std::move(factory);
}

std::unique_ptr<CCatalogDatabase> CreateCatalogDatabase() {
    const CatalogDatabaseFactory& factory = InstalledFactory();
    return factory ? factory() : nullptr;
}
