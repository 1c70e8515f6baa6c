#include "SampleDesigns.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <stdexcept>

#include "Furniture.h"
#include "LibraryOutput.h"
#include "ProceduralTextures.h"
#include "SampleDesignHost.h"
#include "SampleRoom.h"
#include "SampleThumbnail.h"
#include "document/ActiveDocumentServices.h"
#include "document/HousDoc.h"
#include "foundation/ActiveDocument.h"
#include "foundation/ApplicationValues.h"
#include "foundation/BinaryWriter.h"
#include "foundation/ProfileFile.h"
#include "library/ModelCatalogEntry.h"
#include "library/placing/LibraryPlacing.h"
#include "objects/CeilingObject.h"
#include "objects/FloorObject.h"
#include "objects/MaterialFileReader.h"
#include "objects/ModelObject.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/TextureMappingRecord.h"
#include "objects/WallObject.h"
#include "platform/fs/AtomicFileWriter.h"
#include "platform/gfx/Device.h"

namespace {

constexpr float kCeilingHeight = 260.0f;
constexpr float kEyeHeight = 150.0f;
constexpr float kDegrees = std::numbers::pi_v<float> / 180.0f;

// A library file's path as the samples store it: relative to the program
// folder, which the program finds again by name under whatever folder a
// user's library is in; the build folder is not written into them.
std::string LibraryPath(const char* folder, const std::string& category,
                        const std::string& fileName) {
    return std::string(folder) + "/" + category + "/" + fileName;
}

const FurniturePiece& FindPiece(const std::string& fileName) {
    for (const FurniturePiece& piece : StarterFurniture()) {
        if (piece.fileName == fileName) {
            return piece;
        }
    }
    throw std::runtime_error("範例設計：沒有模型 " + fileName);
}

const TextureRecipe& FindTexture(const std::string& fileName) {
    for (const TextureRecipe& recipe : StarterTextures()) {
        if (recipe.fileName == fileName) {
            return recipe;
        }
    }
    throw std::runtime_error("範例設計：沒有材質 " + fileName);
}

// Every face of the surface dressed with the texture, tiled at its real size,
// as a drop from the texture browser with Ctrl held does.
void DressSurface(C3DObject& surface, const std::string& textureFile) {
    const TextureRecipe& recipe = FindTexture(textureFile);
    const std::string path = LibraryPath(kTextureFolder, recipe.category, recipe.fileName);
    MaterialFileRecord material;
    if (!LoadMaterialFile(GetProgramFilePath(path), material, kMaterialFileQvp, true) ||
        material.data.empty()) {
        throw std::runtime_error("範例設計：無法讀取材質 " + path);
    }
    TextureMappingRecord mapping;
    mapping.tileWidth = recipe.widthCm;
    mapping.tileHeight = recipe.heightCm;
    mapping.tileFlag = 1;
    const std::array<int32_t, 4> seam{};
    for (int part = 0; part < surface.GetMaterialCount(); ++part) {
        surface.ApplyTextureMapping(part, TextureMappingRecord{}, false);
        surface.ApplyTextureFile(surface.GetType(), part, path, material.data.data(),
                                 static_cast<uint32_t>(material.data.size()), &seam);
        surface.ApplyTextureMapping(part, mapping, false);
    }
}

void PlacePiece(CHousDoc& doc, const SamplePiece& sample) {
    const FurniturePiece& piece = FindPiece(sample.model);
    ModelCatalogEntry entry;
    entry.name = piece.fileName.substr(0, piece.fileName.size() - 4);
    const std::string path = LibraryPath(kModelFolder, piece.folder, piece.fileName);
    entry.filePath = GetProgramFilePath(path);
    entry.width = piece.width;
    entry.depth = piece.depth;
    entry.height = piece.height;
    entry.price = piece.price;
    LibraryDropPoint drop;
    drop.x = sample.x;
    drop.z = -sample.y;
    drop.y = sample.height;
    drop.centre = 1;
    CModelObject* model = PlaceModelEntry(doc, entry, drop, {}).placed;
    if (model == nullptr) {
        throw std::runtime_error("範例設計：無法放置 " + sample.model);
    }
    model->SetFilePath(path);
    model->SetRotation(sample.headingDegrees * kDegrees, 0.0f, 0.0f);
    model->UpdateWorldMatrix();
    model->UpdatePlanOutline();
    model->UpdatePlanIcon();
}

// Standing in the room's corner at the plan's origin, looking across it.
DesignViewState OpeningCamera(const SampleDesign& design) {
    gfx::Vector3 centre;
    float size = 0;
    RoomExtent(design, &centre, &size);
    DesignViewState state;
    state.eye = {40.0f, kEyeHeight, -40.0f};
    const gfx::Vector3 towards = centre - state.eye;
    state.heading = std::atan2(towards.x, towards.z);
    state.pitch = 8.0f * kDegrees;
    state.direction = {std::sin(state.heading) * std::cos(state.pitch), -std::sin(state.pitch),
                       std::cos(state.heading) * std::cos(state.pitch)};
    state.up = {std::sin(state.heading) * std::sin(state.pitch), std::cos(state.pitch),
                std::cos(state.heading) * std::sin(state.pitch)};
    state.stepLength = 1.0f;
    state.turnStep = 0.5f;
    state.grid = {20.0f, 20.0f, 2.0f, 0.0f, 1.0f, 0.0f, 1.0f};
    return state;
}

// The design objects ask the active document for its settings and draw only
// while there is one: the sample being built is it.
class ActiveSample {
public:
    explicit ActiveSample(CHousDoc& doc) {
        m_previousServices = SetDocumentServices(&m_services);
        SetActiveHousDocAccessor([&doc] { return &doc; });
    }
    ~ActiveSample() {
        SetActiveHousDocAccessor({});
        SetDocumentServices(m_previousServices);
    }
    ActiveSample(const ActiveSample&) = delete;
    ActiveSample& operator=(const ActiveSample&) = delete;

private:
    CActiveDocumentServices m_services;
    IDocumentServices* m_previousServices = nullptr;
};

void WriteDesignFile(CDesignScene& scene, const SampleDesignHost& host,
                     const std::filesystem::path& path) {
    pfs::AtomicFileWriter sink(path);
    CBinaryWriter writer(sink);
    if (!scene.WriteDesignFile(writer, host)) {
        throw std::runtime_error("範例設計：無法寫入 " + path.string());
    }
    if (pfs::Result<void> committed = sink.Commit(); !committed) {
        throw std::runtime_error(committed.Error());
    }
}

void WriteSample(LibraryOutput& output, gfx::Device& device, const SampleDesign& design) {
    CDesignScene scene;
    SampleDesignHost host(scene, device);
    CHousDoc doc;
    const ActiveSample active(doc);
    doc.Attach2DView(&host);
    doc.Attach3DView(&host);
    scene.SetDocument(&doc);
    scene.SetRenderTarget(&host);
    host.SetWallBar(kCeilingHeight, 0.0f, kSampleWallThickness);
    host.SetCamera(OpeningCamera(design));

    const std::vector<CVector2D> room = RoomOutline(design);
    const std::vector<CVector2D> outline = SceneOutline(room);
    CWallObject* floor = scene.AddFloorFromOutline(outline);
    if (floor == nullptr) {
        throw std::runtime_error("範例設計：無法建立 " + design.fileName + " 的地板。");
    }
    DressSurface(*floor, design.floorTexture);
    for (const std::vector<CVector2D>& footprint : WallFootprints(room)) {
        CWallObject* wall = scene.AddWallFromOutline(SceneOutline(footprint));
        if (wall == nullptr) {
            throw std::runtime_error("範例設計：無法建立 " + design.fileName + " 的牆。");
        }
        DressSurface(*wall, design.wallTexture);
    }
    for (const SamplePiece& piece : design.pieces) {
        PlacePiece(doc, piece);
    }
    const std::string stem = design.fileName.substr(0, design.fileName.size() - 4);
    const std::vector<uint8_t> thumbnail = RenderThumbnail(scene, device, design);
    output.Write(
        std::string(kShowFolder) + "/" + stem + ".bmp",
        std::string_view(reinterpret_cast<const char*>(thumbnail.data()), thumbnail.size()));

    CWallObject* ceiling = scene.AddCeilingFromOutline(outline);
    if (ceiling == nullptr) {
        throw std::runtime_error("範例設計：無法建立 " + design.fileName + " 的天花板。");
    }
    DressSurface(*ceiling, "plaster-white.qvp");
    for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
        scene.DeselectAll(type);
    }
    const std::string relative = std::string(kShowFolder) + "/" + design.fileName;
    WriteDesignFile(scene, host, output.Root() / relative);
    output.Add(relative);
    // The objects release their textures while the device still exists.
    scene.ClearScene();
    scene.SetRenderTarget(nullptr);
}

void WriteGroupFile(LibraryOutput& output) {
    const std::string relative = std::string(kShowFolder) + "/" + kSampleGroupFile;
    CProfileFile group(output.Root() / relative);
    constexpr const char* kSection = "QV_SHOW";
    bool written = group.SetString(kSection, "GROUPNAME", kSampleGroupName);
    // The samples come with the program: the manager does not remove them.
    group.SetInt(kSection, "GROUPLOCK", 1);
    const std::vector<SampleDesign>& designs = StarterSampleDesigns();
    group.SetInt(kSection, "COUNT", static_cast<int32_t>(designs.size()));
    int number = 1;
    for (const SampleDesign& design : designs) {
        const std::string n = std::to_string(number++);
        // A name without a folder is found in the group's own folder.
        written = group.SetString(kSection, "FILENAME" + n, design.fileName) && written;
        written = group.SetString(kSection, "SHOWNAME" + n, design.showName) && written;
        written = group.SetString(kSection, "DESIGNER" + n, kStarterVendor) && written;
        written = group.SetString(kSection, "INTRO" + n, design.introduction) && written;
    }
    if (!written) {
        throw std::runtime_error("範例設計：群組檔的文字無法以 CP950 寫入。");
    }
    if (pfs::Result<void> saved = group.Save(); !saved) {
        throw std::runtime_error(saved.Error());
    }
    output.Add(relative);
}

}  // namespace

const std::vector<SampleDesign>& StarterSampleDesigns() {
    static const std::vector<SampleDesign> designs = {
        {"LivingRoom.dg6",
         "明亮客廳",
         "五米寬的客廳：布沙發、兩張扶手椅和書架，橡木地板配白色粉刷牆。",
         {{0, 0}, {0, 420}, {520, 420}, {520, 0}},
         "wood-oak.qvp",
         "plaster-white.qvp",
         {{"三人沙發.qvx", 260, 70, 0, 0},
          {"扶手椅.qvx", 90, 250, 0, 90},
          {"扶手椅.qvx", 430, 250, 0, -90},
          {"書架.qvx", 260, 395, 0, 180},
          {"吸頂燈.qvx", 260, 210, 245, 0}}},
        {"Bedroom.dg6",
         "溫馨臥室",
         "四米見方的臥室：雙人床、雙門衣櫃和壁燈，米色地毯。",
         {{0, 0}, {0, 400}, {400, 400}, {400, 0}},
         "carpet-beige.qvp",
         "plaster-white.qvp",
         {{"雙人床.qvx", 200, 290, 0, 180},
          {"衣櫃.qvx", 340, 40, 0, 0},
          {"壁燈.qvx", 60, 390, 160, 180},
          {"壁燈.qvx", 340, 390, 160, 180}}},
        {"SmallFlat.dg6",
         "小套房",
         "L 形小套房：起居、用餐和睡眠三區，白色磁磚地面。",
         {{0, 0}, {0, 600}, {350, 600}, {350, 300}, {650, 300}, {650, 0}},
         "tile-white-30.qvp",
         "plaster-white.qvp",
         {{"雙人床.qvx", 175, 480, 0, 180},
          {"衣櫃.qvx", 40, 300, 0, 90},
          {"餐桌.qvx", 500, 150, 0, 0},
          {"餐椅.qvx", 500, 75, 0, 180},
          {"餐椅.qvx", 500, 225, 0, 0},
          {"三人沙發.qvx", 200, 60, 0, 0}}},
    };
    return designs;
}

void WriteSampleDesigns(LibraryOutput& output) {
    if (!output.Ok()) {
        return;
    }
    // The samples are built in the library's folder as a program folder;
    // whoever runs the generator gets its own back.
    const std::string previousFolder = GetProgramFolder();
    try {
        SetProgramFolder(std::filesystem::absolute(output.Root()));
        OffscreenDevice offscreen = MakeThumbnailDevice();
        for (const SampleDesign& design : StarterSampleDesigns()) {
            WriteSample(output, *offscreen.device, design);
        }
        WriteGroupFile(output);
    } catch (const std::exception& error) {
        output.Fail(error.what());
    }
    if (!previousFolder.empty()) {
        SetProgramFolder(previousFolder);
    }
}
