#include "Catalogue.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <system_error>

#include "Furniture.h"
#include "LibraryOutput.h"
#include "Pictures.h"
#include "ProceduralTextures.h"
#include "foundation/Prompt.h"
#include "library/CatalogSchema.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "objects/LibraryCatalog.h"
#include "objects/ModelPackageWriter.h"
#include "platform/db/SqliteDatabase.h"

namespace {

constexpr const char* kIndexSql =
    "create index QVXModelsFileName on QVXModels (FileName);"
    "create index MapsFileName on Maps (FileName);"
    "create index TMapsFileName on TMaps (FileName);";

bool CreateTables(const std::filesystem::path& path, LibraryOutput& output) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    pdb::CSqliteDatabase database;
    if (!database.Open(path.string(), pdb::CSqliteDatabase::OpenMode::kCreate) ||
        !database.Execute(kCatalogSchemaSql) || !database.Execute(kIndexSql)) {
        output.Fail("無法建立型錄「" + path.string() + "」");
        return false;
    }
    return true;
}

const FurniturePiece* FindFurniture(const std::string& rowKey) {
    for (const FurniturePiece& piece : StarterFurniture()) {
        if (PackageNameOfPath(piece.fileName) == rowKey) {
            return &piece;
        }
    }
    return nullptr;
}

// The scan takes each model's texts from its package; the sizes, which a
// package does not hold, are added to the rows.
void FillModelRows(CModelDatabase& database, const std::filesystem::path& root,
                   LibraryOutput& output) {
    CatalogEntryList list;
    database.ScanModelFolder((root / kModelFolder).string(), list);
    if (list.size() != StarterFurniture().size()) {
        output.Fail("型錄的模型數與產生的模型數不符");
        return;
    }
    for (const std::shared_ptr<void>& item : list) {
        auto& entry = *std::static_pointer_cast<ModelCatalogEntry>(item);
        const FurniturePiece* piece = FindFurniture(CModelDatabase::GetModelRowKey(entry.filePath));
        if (piece == nullptr) {
            output.Fail("型錄中有不明的模型：" + entry.filePath);
            return;
        }
        entry.width = piece->width;
        entry.depth = piece->depth;
        entry.height = piece->height;
        database.UpdateModelRow(entry);
        if (!piece->openingSize.empty()) {
            database.AddDoorWindowSize(piece->openingSize);
        }
    }
}

// Material files carry their texts and sizes, so the scans alone make their
// rows. Each folder is scanned once.
void AddMaterialRows(CModelDatabase& database, const std::filesystem::path& root) {
    std::set<std::string> textureFolders;
    for (const TextureRecipe& recipe : StarterTextures()) {
        textureFolders.insert(recipe.category);
    }
    for (const std::string& folder : textureFolders) {
        CatalogEntryList list;
        database.ScanTextureFolder((root / kTextureFolder / folder).string(), list);
    }
    std::set<std::string> pictureFolders;
    for (const PictureRecipe& recipe : StarterPictures()) {
        pictureFolders.insert(recipe.folder);
    }
    for (const std::string& folder : pictureFolders) {
        CatalogEntryList list;
        database.ScanPictureFolder((root / kPictureFolder / folder).string(), list);
    }
}

}  // namespace

void WriteCatalogue(LibraryOutput& output) {
    if (!output.Ok()) {
        return;
    }
    const std::filesystem::path path = output.Root() / CLibraryCatalog::kCatalogFileName;
    if (!CreateTables(path, output)) {
        return;
    }
    {
        const CScopedPromptHandlers prompts([&output](const MessageRequest& request) {
            output.Fail(request.text);
            return PromptAnswer::Ok;
        });
        CModelDatabase database;
        if (database.Open(path.string()) == 1) {
            FillModelRows(database, output.Root(), output);
            AddMaterialRows(database, output.Root());
            database.Close();
        }
    }
    output.Add(CLibraryCatalog::kCatalogFileName);
}
