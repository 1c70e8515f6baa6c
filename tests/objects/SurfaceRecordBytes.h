#pragma once

// Surface records (walls, floors, ceilings) for tests: bytes laid out by
// hand from the published layout, a scene that reads a chosen file
// version, and writing and reading a record through a temporary file.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FakeSceneServices.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "objects/DesignObject.h"
#include "platform/text/Cp950.h"

// Little-endian fields appended in order.
class ByteSink {
public:
    ByteSink& Int(int32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    ByteSink& Float(float value) { return Int(std::bit_cast<int32_t>(value)); }
    ByteSink& Floats(std::initializer_list<float> values) {
        for (const float value : values) {
            Float(value);
        }
        return *this;
    }
    ByteSink& Double(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        Int(static_cast<int32_t>(bits & 0xFFFFFFFFu));
        return Int(static_cast<int32_t>(bits >> 32));
    }
    ByteSink& Zeros(std::size_t count) {
        m_bytes.append(count, '\0');
        return *this;
    }
    ByteSink& Raw(std::string_view bytes) {
        m_bytes.append(bytes);
        return *this;
    }
    // A stored string: its CP950 byte count, then the bytes.
    ByteSink& Text(std::string_view utf8) {
        const std::string bytes = text::Utf8ToCp950(utf8).value();
        Int(static_cast<int32_t>(bytes.size()));
        return Raw(bytes);
    }
    // A 100-byte name field, zero-filled.
    ByteSink& NameField(std::string_view utf8) {
        const std::string bytes = text::Utf8ToCp950(utf8).value();
        Raw(bytes);
        return Zeros(100 - bytes.size());
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// A scene that reads a design file of the version given, knows lights by
// number and keeps the surfaces it is told were not cut.
class VersionedScene : public FakeSceneServices {
public:
    float GetFileVersion() const override { return version; }
    void NoteUncutSurface(std::string_view name) override { uncut.emplace_back(name); }
    CDesignObject* FindObjectByNumber(int number) override {
        const auto found = lights.find(number);
        return found != lights.end() ? found->second : nullptr;
    }

    float version = 6.05f;
    std::map<int, CDesignObject*> lights;
    std::vector<std::string> uncut;
};

inline std::string WriteRecordBytes(const CDesignObject& object) {
    FILE* file = std::tmpfile();
    CBinaryWriter writer(file);
    EXPECT_EQ(object.Write(writer), S_OK);
    writer.Flush();
    std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

struct ReadOutcome {
    HRESULT result = E_FAIL;
    bool readerError = false;
    // The int that followed the record: the reader stayed in step when it
    // is the sentinel.
    int32_t next = 0;
};

inline constexpr int32_t kSentinel = 0x5A5A5A5A;

// Reads the record from bytes followed by the sentinel.
inline ReadOutcome ReadRecordBytes(CDesignObject& object, const std::string& bytes) {
    FILE* file = std::tmpfile();
    const std::string followed = bytes + ByteSink().Int(kSentinel).Bytes();
    std::fwrite(followed.data(), 1, followed.size(), file);
    std::rewind(file);
    CBinaryReader reader(file);
    ReadOutcome outcome;
    outcome.result = object.Read(reader);
    outcome.readerError = reader.HasError();
    if (!outcome.readerError) {
        outcome.next = reader.ReadInt();
    }
    std::fclose(file);
    return outcome;
}
