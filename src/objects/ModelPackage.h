#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/OutlineRecord.h"

// How much of a packaged model file Load reads.
enum ModelPackageMode : int {
    // Header, preview, mesh, textures, plan symbol and outline records.
    kPackageReadAll = 0,
    // Header and preview only, for the library's lists.
    kPackageReadHeader = 1,
    // Header, mesh and textures, for the model preview; the preview image is
    // skipped.
    kPackageReadMesh = 2,
};

// One texture image carried in a packaged model file. Entries that refer to
// the same image share its bytes rather than holding copies.
struct PackagedTexture {
    std::string name;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;

    // The image's bytes; empty when the entry carries none.
    const std::vector<std::uint8_t>& Data() const;
};

// A packaged model file (.qvx) read into memory: the catalogue texts, the
// preview image, the mesh as the bytes of a .x file, its textures, the DXF
// plan symbol and the outline records.
class CModelPackage {
public:
    CModelPackage() = default;
    // Load(path, mode); the package stays empty when that fails.
    CModelPackage(const std::string& path, int mode);

    // 1 when the file was read. 0, with the package empty and GetLastError
    // saying why, when the path is not a full path, the file does not exist,
    // a stored length runs past the end of the file, the mesh, textures and
    // symbol the mode asks for are stored scrambled, which cannot be
    // restored, or the file would take far more memory than its own size.
    int Load(const std::string& path, int mode);
    void Clear();

    // Why the last Load failed; empty after a successful one.
    const std::string& GetLastError() const { return m_lastError; }

    int GetVersion() const { return m_version; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetModelNumber() const { return m_modelNumber; }
    const std::string& GetVendor() const { return m_vendor; }
    const std::string& GetDescription() const { return m_description; }
    const std::string& GetWebLink() const { return m_webLink; }
    float GetPrice() const { return m_price; }

    // A .bmp file image; empty when the file has none or it is scrambled.
    const std::vector<std::uint8_t>& GetPreview() const { return m_preview; }

    const std::vector<std::uint8_t>& GetMeshData() const { return m_mesh; }
    std::int32_t GetMeshLength() const { return static_cast<std::int32_t>(m_mesh.size()); }

    const std::vector<PackagedTexture>& GetTextures() const { return m_textures; }

    // Empty when the package has no plan symbol.
    const std::string& GetSymbolName() const { return m_symbolName; }
    const std::vector<std::uint8_t>& GetSymbolData() const { return m_symbol; }
    std::int32_t GetSymbolLength() const { return static_cast<std::int32_t>(m_symbol.size()); }

    const std::vector<OutlineRecord>& GetEdgeRecords() const { return m_edges; }
    std::int32_t GetEdgeCount() const { return static_cast<std::int32_t>(m_edges.size()); }

private:
    bool Read(const std::string& path, int mode);
    bool Refuse(const char* message);

    int m_version = 0;
    std::string m_name;
    std::string m_symbolName;
    std::string m_modelNumber;
    std::string m_vendor;
    std::string m_description;
    std::string m_webLink;
    float m_price = 0.0f;
    std::vector<std::uint8_t> m_preview;
    std::vector<std::uint8_t> m_mesh;
    std::vector<std::uint8_t> m_symbol;
    std::vector<PackagedTexture> m_textures;
    std::vector<OutlineRecord> m_edges;
    std::string m_lastError;
};
