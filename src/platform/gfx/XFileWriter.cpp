#include "platform/gfx/XFileWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/fs/AtomicFileWriter.h"
#include "platform/gfx/Mesh.h"
#include "platform/text/Cp950.h"

namespace gfx {
namespace {

Result Refuse(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return kErrInvalidCall;
}

// The .x text grammar: members end with ';', array elements are separated
// by ',' and the array ends with ';'. Numbers are written in their shortest
// exact form, which no locale changes.
class XText {
public:
    void Line(std::string_view text) {
        m_out.append(text);
        m_out += '\n';
    }
    void Number(float value) {
        m_finite = m_finite && std::isfinite(value);
        char digits[32];
        const auto written = std::to_chars(digits, digits + sizeof digits, value);
        m_out.append(digits, written.ptr);
    }
    void Number(uint32_t value) { m_out += std::to_string(value); }
    void Floats(std::span<const float> values) {
        for (float value : values) {
            Number(value);
            m_out += ';';
        }
    }
    // Ends element i of an array of count elements.
    void EndElement(size_t i, size_t count) { Line(i + 1 < count ? "," : ";"); }
    std::string& Text() { return m_out; }
    [[nodiscard]] bool Finite() const { return m_finite; }

private:
    std::string m_out;
    bool m_finite = true;
};

void WriteFaces(const Mesh& mesh, XText& x) {
    x.Number(mesh.GetNumFaces());
    x.Line(";");
    for (uint32_t f = 0; f < mesh.GetNumFaces(); ++f) {
        const auto [a, b, c] = mesh.GetFace(f);
        x.Text() +=
            "3;" + std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ';';
        x.EndElement(f, mesh.GetNumFaces());
    }
}

void WriteVectors(const Mesh& mesh, int offset, int floats, XText& x) {
    x.Number(mesh.GetNumVertices());
    x.Line(";");
    for (uint32_t v = 0; v < mesh.GetNumVertices(); ++v) {
        float values[3];
        std::memcpy(values, mesh.Vertices().data() + size_t{v} * mesh.GetVertexSize() + offset,
                    sizeof(float) * floats);
        x.Floats(std::span<const float>(values, floats));
        x.EndElement(v, mesh.GetNumVertices());
    }
}

// The texture name as it goes between quotation marks: CP950 bytes.
std::optional<std::string> QuotableName(const std::string& name) {
    std::optional<std::string> bytes = text::Utf8ToCp950(name);
    if (bytes && std::ranges::any_of(*bytes, [](char c) {
            return c == '"' || static_cast<unsigned char>(c) < 0x20;
        })) {
        bytes.reset();
    }
    return bytes;
}

Result WriteMaterials(const Mesh& mesh, std::span<const MeshMaterial> materials, XText& x,
                      std::string* error) {
    x.Line("MeshMaterialList {");
    x.Number(static_cast<uint32_t>(materials.size()));
    x.Line(";");
    x.Number(mesh.GetNumFaces());
    x.Line(";");
    for (uint32_t f = 0; f < mesh.GetNumFaces(); ++f) {
        const uint32_t attribute = mesh.Attributes()[f];
        if (attribute >= materials.size()) {
            return Refuse(error, "網格的面使用了不存在的材質 " + std::to_string(attribute) + "。");
        }
        x.Number(attribute);
        x.EndElement(f, mesh.GetNumFaces());
    }
    for (const MeshMaterial& entry : materials) {
        const Material& m = entry.material;
        x.Line("Material {");
        x.Floats({{m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a}});
        x.Line(";");
        x.Number(m.power);
        x.Line(";");
        x.Floats({{m.specular.r, m.specular.g, m.specular.b}});
        x.Line(";");
        x.Floats({{m.emissive.r, m.emissive.g, m.emissive.b}});
        x.Line(";");
        if (!entry.textureFile.empty()) {
            const std::optional<std::string> name = QuotableName(entry.textureFile);
            if (!name) {
                return Refuse(error, "貼圖檔名「" + entry.textureFile + "」無法寫入模型檔。");
            }
            x.Line("TextureFilename {");
            x.Line('"' + *name + "\";");
            x.Line("}");
        }
        x.Line("}");
    }
    x.Line("}");
    return kOk;
}

}  // namespace

Result EncodeMeshToX(const Mesh& mesh, std::span<const MeshMaterial> materials, std::string* file,
                     std::string* error) {
    if (file == nullptr || !mesh.IndicesInRange()) {
        return Refuse(error, "網格的索引超出頂點範圍。");
    }
    const VertexLayout& layout = mesh.GetLayout();
    XText x;
    x.Line("xof 0303txt 0032");
    x.Line("Mesh {");
    WriteVectors(mesh, 0, 3, x);
    WriteFaces(mesh, x);
    if (layout.normalOffset >= 0) {
        // One normal per vertex, so the normal faces are the faces.
        x.Line("MeshNormals {");
        WriteVectors(mesh, layout.normalOffset, 3, x);
        WriteFaces(mesh, x);
        x.Line("}");
    }
    if (layout.texCoordSets > 0) {
        x.Line("MeshTextureCoords {");
        WriteVectors(mesh, layout.texCoordOffsets[0], 2, x);
        x.Line("}");
    }
    if (!materials.empty()) {
        const Result result = WriteMaterials(mesh, materials, x, error);
        if (Failed(result)) {
            return result;
        }
    }
    x.Line("}");
    if (!x.Finite()) {
        return Refuse(error, "網格或材質含有無效的數值，無法寫入模型檔。");
    }
    *file = std::move(x.Text());
    return kOk;
}

Result SaveMeshToX(const std::string& path, const Mesh& mesh,
                   std::span<const MeshMaterial> materials, std::string* error) {
    std::string file;
    const Result result = EncodeMeshToX(mesh, materials, &file, error);
    if (Failed(result)) {
        return result;
    }
    const pfs::Result<void> written = pfs::WriteFileAtomically(path, file);
    if (!written) {
        if (error != nullptr) {
            *error = written.Error();
        }
        return kErrFail;
    }
    return kOk;
}

}  // namespace gfx
