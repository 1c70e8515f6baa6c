#include "Furniture.h"

#include <memory>

#include "DxfText.h"
#include "FurniturePlan.h"
#include "FurniturePreview.h"
#include "LibraryOutput.h"
#include "TriangleSoup.h"
#include "objects/ModelPackageWriter.h"
#include "platform/gfx/XFileWriter.h"

namespace {

// Boxes by their x, y and z ranges in cm, in the material set before.
void Box(TriangleSoup& soup, uint32_t material, float x0, float x1, float y0, float y1, float z0,
         float z1) {
    soup.SetMaterial(material);
    soup.AddBox({x0, y0, z0}, {x1, y1, z1});
}

// A top on four legs.
void BuildTable(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, w, s.height - 4, s.height, -d, d);
    for (float x : {-w + 3, w - 8}) {
        for (float z : {-d + 3, d - 8}) {
            Box(soup, 1, x, x + 5, 0, s.height - 4, z, z + 5);
        }
    }
}

// A seat on four legs with a back along the far side (+z).
void BuildChair(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    const float seat = 45;
    Box(soup, 0, -w, w, seat - 5, seat, -d, d);
    Box(soup, 0, -w, w, seat, s.height, d - 5, d);
    for (float x : {-w, w - 4}) {
        for (float z : {-d, d - 4}) {
            Box(soup, 1, x, x + 4, 0, seat - 5, z, z + 4);
        }
    }
}

// A base, a seat cushion, a back along +z and two arms.
void BuildSofa(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    const float arm = 15;
    Box(soup, 1, -w, w, 0, 10, -d, d);
    Box(soup, 0, -w + arm, w - arm, 10, 42, -d, d - 20);
    Box(soup, 0, -w, w, 10, s.height, d - 20, d);
    Box(soup, 0, -w, -w + arm, 10, 60, -d, d - 20);
    Box(soup, 0, w - arm, w, 10, 60, -d, d - 20);
}

// A frame, a mattress and a headboard along +z.
void BuildBed(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 1, -w, w, 0, 30, -d, d - 5);
    Box(soup, 0, -w + 2, w - 2, 30, 50, -d + 2, d - 7);
    Box(soup, 1, -w, w, 0, s.height, d - 5, d);
}

// A body with two doors on its front (-z) and their handles.
void BuildWardrobe(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, w, 0, s.height, -d + 2, d);
    Box(soup, 0, -w, -0.5f, 2, s.height - 2, -d, -d + 2);
    Box(soup, 0, 0.5f, w, 2, s.height - 2, -d, -d + 2);
    Box(soup, 1, -5, -3, s.height / 2 - 10, s.height / 2 + 10, -d - 2, -d);
    Box(soup, 1, 3, 5, s.height / 2 - 10, s.height / 2 + 10, -d - 2, -d);
}

// Two sides, a back and five boards.
void BuildShelves(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, -w + 2, 0, s.height, -d, d);
    Box(soup, 0, w - 2, w, 0, s.height, -d, d);
    Box(soup, 0, -w + 2, w - 2, 0, s.height, d - 1, d);
    for (int board = 0; board < 5; ++board) {
        const float y = (s.height - 2) * static_cast<float>(board) / 4;
        Box(soup, 0, -w + 2, w - 2, y, y + 2, -d, d - 1);
    }
}

// A flat glowing shade under a mount; the mount is the top (y = height).
void BuildCeilingLamp(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 1, -6, 6, s.height - 3, s.height, -6, 6);
    Box(soup, 0, -w, w, 0, s.height - 3, -d, d);
}

// A plate against the wall (+z) holding a glowing shade.
void BuildWallLamp(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 1, -5, 5, s.height / 2 - 6, s.height / 2 + 6, d - 2, d);
    Box(soup, 1, -1.5f, 1.5f, s.height / 2 - 1.5f, s.height / 2 + 1.5f, -d + 6, d - 2);
    Box(soup, 0, -w, w, 0, s.height, -d, -d + 6);
}

// A leaf in its opening with a handle on each face.
void BuildDoor(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, w, 0, s.height, -d, d);
    Box(soup, 1, w - 12, w - 8, 95, 100, -d - 3, -d);
    Box(soup, 1, w - 12, w - 8, 95, 100, d, d + 3);
}

// Jambs and a head around the opening, open at the floor.
void BuildDoorFrame(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, -w + 5, 0, s.height - 5, -d, d);
    Box(soup, 0, w - 5, w, 0, s.height - 5, -d, d);
    Box(soup, 0, -w, w, s.height - 5, s.height, -d, d);
}

// A frame of four bars, a mullion and a pane.
void BuildWindow(const FurniturePiece& s, TriangleSoup& soup) {
    const float w = s.width / 2;
    const float d = s.depth / 2;
    Box(soup, 0, -w, w, 0, 5, -d, d);
    Box(soup, 0, -w, w, s.height - 5, s.height, -d, d);
    Box(soup, 0, -w, -w + 5, 5, s.height - 5, -d, d);
    Box(soup, 0, w - 5, w, 5, s.height - 5, -d, d);
    Box(soup, 0, -2, 2, 5, s.height - 5, -d, d);
    Box(soup, 1, -w + 5, w - 5, 5, s.height - 5, -0.5f, 0.5f);
}

gfx::MeshMaterial Colour(float r, float g, float b, float a = 1.0f, float glow = 0.0f) {
    gfx::MeshMaterial m;
    m.material.diffuse = {r, g, b, a};
    m.material.ambient = m.material.diffuse;
    m.material.specular = {0.2f, 0.2f, 0.2f, 1.0f};
    m.material.emissive = {r * glow, g * glow, b * glow, 1.0f};
    m.material.power = 10.0f;
    return m;
}

const gfx::MeshMaterial kOak = Colour(0.72f, 0.52f, 0.32f);
const gfx::MeshMaterial kWalnut = Colour(0.40f, 0.26f, 0.16f);
const gfx::MeshMaterial kFabric = Colour(0.45f, 0.52f, 0.60f);
const gfx::MeshMaterial kLinen = Colour(0.92f, 0.90f, 0.85f);
const gfx::MeshMaterial kWhite = Colour(0.95f, 0.95f, 0.93f);
const gfx::MeshMaterial kMetal = Colour(0.60f, 0.60f, 0.62f);
const gfx::MeshMaterial kShade = Colour(1.0f, 0.97f, 0.88f, 1.0f, 0.8f);
const gfx::MeshMaterial kGlass = Colour(0.75f, 0.85f, 0.90f, 0.35f);

}  // namespace

const std::vector<FurniturePiece>& StarterFurniture() {
    static const std::vector<FurniturePiece> furniture = {
        {"01桌椅",
         "餐桌.qvx",
         "四人餐桌，橡木",
         "VT-1501",
         150,
         90,
         75,
         8800,
         "",
         BuildTable,
         {kOak, kOak}},
        {"01桌椅",
         "餐椅.qvx",
         "餐椅，橡木",
         "VT-0451",
         45,
         50,
         90,
         1900,
         "",
         BuildChair,
         {kOak, kOak}},
        {"02沙發",
         "扶手椅.qvx",
         "單人扶手椅",
         "VS-1001",
         100,
         60,
         80,
         6500,
         "",
         BuildChair,
         {kFabric, kWalnut}},
        {"02沙發",
         "三人沙發.qvx",
         "三人座布沙發",
         "VS-2101",
         210,
         90,
         85,
         18800,
         "",
         BuildSofa,
         {kFabric, kWalnut}},
        {"03臥室",
         "雙人床.qvx",
         "雙人床，含床墊",
         "VB-1601",
         160,
         210,
         100,
         15800,
         "",
         BuildBed,
         {kLinen, kWalnut}},
        {"03臥室",
         "衣櫃.qvx",
         "雙門衣櫃",
         "VB-1201",
         120,
         60,
         200,
         12500,
         "",
         BuildWardrobe,
         {kWhite, kMetal}},
        {"03臥室", "書架.qvx", "五層書架", "VB-0801", 80, 30, 180, 3600, "", BuildShelves, {kOak}},
        {"04燈具",
         "吸頂燈.qvx",
         "圓盤吸頂燈",
         "VL-0501",
         50,
         50,
         15,
         2400,
         "",
         BuildCeilingLamp,
         {kShade, kMetal}},
        {"04燈具",
         "壁燈.qvx",
         "壁燈，單燈",
         "VL-0201",
         20,
         20,
         25,
         1200,
         "",
         BuildWallLamp,
         {kShade, kMetal}},
        {"16結構-門",
         "單開門.qvx",
         "單開木門",
         "VD-0902",
         90,
         5,
         210,
         7800,
         "90x210",
         BuildDoor,
         {kOak, kMetal}},
        {"16結構-門/03門框",
         "門框.qvx",
         "木門框",
         "VD-1002",
         100,
         12,
         215,
         2600,
         "100x215",
         BuildDoorFrame,
         {kOak}},
        {"17結構-窗",
         "雙開窗.qvx",
         "鋁框雙開窗",
         "VW-1212",
         120,
         10,
         120,
         5400,
         "120x120",
         BuildWindow,
         {kMetal, kGlass}},
    };
    return furniture;
}

namespace {

// The package of one model: its mesh, preview, plan symbol, edge records
// and catalogue texts.
bool EncodeFurniturePackage(const FurniturePiece& piece, FurniturePreviewRenderer& renderer,
                            std::string* package, std::string* error) {
    TriangleSoup soup;
    piece.build(piece, soup);
    std::string mesh;
    if (gfx::EncodeMeshToX(*soup.Build(), piece.materials, &mesh, error) < 0) {
        return false;
    }
    PackagedModelContents contents;
    contents.name = PackageNameOfPath(piece.fileName);
    contents.modelNumber = piece.serialNumber;
    contents.vendor = kStarterVendor;
    contents.description = piece.description;
    contents.price = piece.price;
    contents.mesh.assign(mesh.begin(), mesh.end());
    if (!renderer.Render(contents.mesh, &contents.preview, error)) {
        return false;
    }
    contents.symbolName = FurnitureSymbolName(piece);
    const std::string symbol = EncodeDxf(FurniturePlanSymbol(piece, soup.QuadSides()));
    contents.symbol.assign(symbol.begin(), symbol.end());
    contents.edges = FurnitureEdgeRecords(piece, soup.QuadSides());
    return EncodeModelPackage(contents, package, error);
}

}  // namespace

std::string FurnitureSymbolName(const FurniturePiece& piece) {
    return PackageNameOfPath(piece.fileName) + ".dxf";
}

void WriteFurniture(LibraryOutput& output) {
    std::string error;
    const std::unique_ptr<FurniturePreviewRenderer> renderer =
        FurniturePreviewRenderer::Create(&error);
    if (!renderer) {
        output.Fail("無法繪製模型預覽圖：" + error);
        return;
    }
    for (const FurniturePiece& piece : StarterFurniture()) {
        std::string package;
        if (!EncodeFurniturePackage(piece, *renderer, &package, &error)) {
            output.Fail(piece.fileName + "：" + error);
            return;
        }
        output.Write(std::string(kModelFolder) + "/" + piece.folder + "/" + piece.fileName,
                     package);
    }
}
