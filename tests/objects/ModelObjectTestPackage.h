#pragma once

// Packaged model files for the tests of models: the box mesh of the test
// data, one embedded texture, a plan symbol and edge records, laid out by
// hand as the version given stores them.

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text/Cp950.h"
#include "support/ByteSink.h"

namespace model_test {

// A box of side 2 around (10, 0, 0), with a textured and a plain material.
inline std::string BoxMesh() {
    std::ifstream file(VELMORA_TEST_DATA_DIR "/gfx/box_two_materials.x", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline constexpr char kBoxTexture[] = "許氏木紋.bmp";

using Edge = std::array<float, 9>;

struct PackageLayout {
    int version = 9;
    std::string symbolName = "box.dxf";
    // The one embedded texture; the mesh's first material names kBoxTexture.
    std::string textureName = kBoxTexture;
    std::string textureBytes = std::string("BM\x01\x02", 4);
    std::vector<Edge> edges = {{1, 2, 3, 4, 5, 6, 0, 1, 0}};
    // The .x mesh; empty for the box.
    std::string mesh;
};

// A field of the package in CP950, zero-padded to its width.
inline void Field(ByteSink& sink, const std::string& utf8, std::size_t width) {
    std::string bytes = text::Utf8ToCp950(utf8).value();
    bytes.resize(width, '\0');
    sink.Raw(bytes);
}

// A packaged model file laid out as its version stores it.
inline std::string MakePackage(const PackageLayout& layout) {
    const std::string mesh = layout.mesh.empty() ? BoxMesh() : layout.mesh;
    ByteSink sink;
    sink.Raw("Orvik").Byte(static_cast<uint8_t>(layout.version));
    sink.Int(static_cast<int32_t>(mesh.size()));
    Field(sink, "方盒", 51);
    if (layout.version >= 7) {
        Field(sink, "B-1", 30);
        Field(sink, "Acme", 50);
        Field(sink, "box", 196);
        sink.Float(10.0f);
    }
    if (layout.version >= 9) {
        sink.Int(0).Zeros(100);
    }
    sink.Byte(0).Int(0);  // no preview
    sink.Byte(0).Raw(mesh);
    sink.Int(1);
    Field(sink, layout.textureName, 20);
    sink.Int(static_cast<int32_t>(layout.textureBytes.size())).Byte(0).Raw(layout.textureBytes);
    Field(sink, layout.symbolName, 20);
    const std::string symbol = "0\nEOF\n";
    sink.Byte(0).Int(static_cast<int32_t>(symbol.size())).Raw(symbol);
    sink.Int(static_cast<int32_t>(layout.edges.size()));
    for (const Edge& edge : layout.edges) {
        for (const float value : edge) {
            sink.Float(value);
        }
    }
    return sink.Bytes();
}

}  // namespace model_test
