#pragma once

// Surface records (walls, floors, ceilings) for tests: bytes laid out by
// hand from the published layout, a scene that reads a chosen file
// version, and writing and reading a record through a temporary file.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FakeSceneServices.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "objects/DesignObject.h"
#include "support/ByteSink.h"

// A scene that reads a design file of the version given, knows lights by
// number.
class VersionedScene : public FakeSceneServices {
public:
    float GetFileVersion() const override { return version; }
    CDesignObject* FindObjectByNumber(int number) override {
        const auto found = lights.find(number);
        return found != lights.end() ? found->second : nullptr;
    }

    float version = 6.05f;
    std::map<int, CDesignObject*> lights;
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
