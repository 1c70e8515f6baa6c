#include "objects/ObjectRecordFields.h"

#include <algorithm>
#include <array>
#include <vector>

#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "foundation/GeometryMath.h"
#include "foundation/LittleEndianCursor.h"
#include "objects/3DObject.h"
#include "objects/SceneServices.h"
#include "platform/fs/StoredPath.h"

namespace {

// The version this program writes.
constexpr float kNewestVersion = 6.05f;
// Files of this version and earlier store materials without the seam block.
constexpr float kShortMaterialsUpTo = 6.04f;
constexpr int64_t kLightNumberSize = 8;

}  // namespace

float ReadingFileVersion() {
    return g_pCurrentScene != nullptr ? g_pCurrentScene->GetFileVersion() : kNewestVersion;
}

bool ReadCount(CBinaryReader& reader, int64_t elementSize, int32_t* count) {
    *count = reader.ReadInt();
    const int64_t left = reader.BytesLeft();
    if (!reader.HasError() && *count >= 0 && (left < 0 || *count * elementSize <= left)) {
        return true;
    }
    reader.MarkDamaged();
    return false;
}

void WriteColour(CBinaryWriter& writer, const gfx::ColorValue& colour) {
    writer.WriteFloat(colour.r);
    writer.WriteFloat(colour.g);
    writer.WriteFloat(colour.b);
    writer.WriteFloat(colour.a);
}

gfx::ColorValue TakeColour(LittleEndianCursor& fields) {
    gfx::ColorValue colour;
    colour.r = fields.Float();
    colour.g = fields.Float();
    colour.b = fields.Float();
    colour.a = fields.Float();
    return colour;
}

void WriteMaterial(CBinaryWriter& writer, const MaterialRecord& record) {
    writer.WriteBytes(record.name.data(), record.name.size());
    WriteColour(writer, record.ambient);
    WriteColour(writer, record.diffuse);
    WriteColour(writer, record.specular);
    WriteColour(writer, record.emissive);
    writer.WriteInt(record.refineFlag);
    writer.WriteInt(record.refineValue);
    const TextureMappingRecord& mapping = record.mapping;
    writer.WriteFloat(mapping.offsetU);
    writer.WriteFloat(mapping.offsetV);
    writer.WriteFloat(mapping.rotation);
    writer.WriteInt(mapping.flipU);
    writer.WriteInt(mapping.flipV);
    writer.WriteFloat(mapping.tileWidth);
    writer.WriteFloat(mapping.tileHeight);
    writer.WriteInt(mapping.tileFlag);
    writer.WriteInt(mapping.bumpFlag);
    writer.WriteFloat(mapping.bumpAmplitude);
    writer.WriteInt(mapping.seam.seamFlag);
    writer.WriteFloat(mapping.seam.seamWidth);
    writer.WriteFloat(mapping.seam.seamHeight);
    writer.WriteInt(mapping.seam.seamColor);
}

MaterialRecord ReadMaterial(CBinaryReader& reader, bool shortForm) {
    std::array<uint8_t, sizeof(MaterialRecord)> bytes{};
    const std::size_t size = shortForm ? MaterialRecord::kShortSize : bytes.size();
    reader.ReadBytes(bytes.data(), static_cast<int>(size));
    MaterialRecord record;
    std::copy_n(bytes.begin(), record.name.size(), record.name.begin());
    LittleEndianCursor cursor(bytes.data() + record.name.size());
    record.ambient = TakeColour(cursor);
    record.diffuse = TakeColour(cursor);
    record.specular = TakeColour(cursor);
    record.emissive = TakeColour(cursor);
    record.refineFlag = cursor.Int();
    record.refineValue = cursor.Int();
    TextureMappingRecord& mapping = record.mapping;
    mapping.offsetU = cursor.Float();
    mapping.offsetV = cursor.Float();
    mapping.rotation = cursor.Float();
    mapping.flipU = cursor.Int();
    mapping.flipV = cursor.Int();
    mapping.tileWidth = cursor.Float();
    mapping.tileHeight = cursor.Float();
    mapping.tileFlag = cursor.Int();
    mapping.bumpFlag = cursor.Int();
    mapping.bumpAmplitude = cursor.Float();
    mapping.seam.seamFlag = cursor.Int();
    mapping.seam.seamWidth = cursor.Float();
    mapping.seam.seamHeight = cursor.Float();
    mapping.seam.seamColor = cursor.Int();
    return record;
}

bool ReadMaterials(CBinaryReader& reader, std::vector<MaterialRecord>& records) {
    const bool shortForm = ReadingFileVersion() <= kShortMaterialsUpTo;
    const int64_t size = shortForm ? MaterialRecord::kShortSize : sizeof(MaterialRecord);
    int32_t count = 0;
    if (!ReadCount(reader, size, &count)) {
        return false;
    }
    records.clear();
    records.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        records.push_back(ReadMaterial(reader, shortForm));
    }
    return true;
}

void WriteShadowLights(CBinaryWriter& writer, const std::vector<C3DObject*>& lights) {
    writer.WriteInt(static_cast<int32_t>(lights.size()));
    for (const C3DObject* light : lights) {
        writer.WriteDouble(light->GetNumber());
    }
}

bool ReadShadowLights(CBinaryReader& reader, std::vector<C3DObject*>& lights) {
    int32_t count = 0;
    if (!ReadCount(reader, kLightNumberSize, &count)) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        const double number = reader.ReadDouble();
        if (g_pCurrentScene == nullptr) {
            continue;
        }
        if (auto* light = dynamic_cast<C3DObject*>(
                g_pCurrentScene->FindObjectByNumber(TruncateToInt(number)))) {
            lights.push_back(light);
        }
    }
    return true;
}

std::string LocalFileOfStoredPath(const std::string& stored) {
    const pfs::MappedPath mapped = pfs::FromStoredPath(stored);
    switch (mapped.kind) {
        case pfs::StoredPathKind::Local:
            return mapped.path;
        case pfs::StoredPathKind::Relative:
            return GetProgramFilePath(mapped.path);
        case pfs::StoredPathKind::Foreign:
            break;
    }
    return mapped.fileName;
}

void WriteColourBlocksAndShadow(CBinaryWriter& writer, const C3DObject& object) {
    for (const gfx::ColorValue& colour : object.GetColourBlocks()) {
        WriteColour(writer, colour);
    }
    for (const float value : object.GetShadowParameters()) {
        writer.WriteFloat(value);
    }
}

void TakeColourBlocksAndShadow(LittleEndianCursor& fields, C3DObject& object) {
    std::array<gfx::ColorValue, 4> blocks;
    for (gfx::ColorValue& colour : blocks) {
        colour = TakeColour(fields);
    }
    object.SetColourBlocks(blocks);
    std::array<float, 4> parameters{};
    for (float& value : parameters) {
        value = fields.Float();
    }
    object.SetShadowParameters(parameters);
}
