#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "platform/fs/AtomicFileWriter.h"
#include "support/TempFolder.h"

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

FilePtr TempStream() {
    return FilePtr(std::tmpfile(), &std::fclose);
}

std::string ContentOf(FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        bytes += static_cast<char>(c);
    }
    return bytes;
}

// A read stream over the given bytes, without a descriptor behind it.
class ByteStream {
public:
    explicit ByteStream(std::string bytes)
        : m_bytes(std::move(bytes)), m_file(fmemopen(m_bytes.data(), m_bytes.size(), "rb")) {}
    ~ByteStream() { std::fclose(m_file); }
    FILE* Get() const { return m_file; }

private:
    std::string m_bytes;
    FILE* m_file;
};

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(BinaryWriter, WritesTheFileEncodings) {
    FilePtr file = TempStream();
    CBinaryWriter writer(file.get());
    EXPECT_EQ(writer.WriteString("abc"), S_OK);
    EXPECT_EQ(writer.WriteString(""), S_OK);
    EXPECT_EQ(writer.WriteString("許"), S_OK);
    EXPECT_EQ(writer.WriteZeros(0), S_OK);
    EXPECT_EQ(writer.WriteZeros(-3), S_OK);
    EXPECT_EQ(writer.WriteZeros(2), S_OK);
    EXPECT_EQ(writer.WriteByte(0xAB), S_OK);
    EXPECT_EQ(writer.WriteInt(-2), S_OK);
    EXPECT_EQ(writer.WriteFloat(1.0f), S_OK);
    EXPECT_EQ(writer.WriteDouble(-2.5), S_OK);
    EXPECT_EQ(writer.Flush(), S_OK);
    EXPECT_FALSE(writer.HasError());

    EXPECT_EQ(ContentOf(file.get()), Bytes({0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63,  // "abc"
                                            0x00, 0x00, 0x00, 0x00,                    // ""
                                            0x02, 0x00, 0x00, 0x00, 0xB3, 0x5C,        // "許"
                                            0x00, 0x00,                                // two zeros
                                            0xAB,                                      // byte
                                            0xFE, 0xFF, 0xFF, 0xFF,                    // -2
                                            0x00, 0x00, 0x80, 0x3F,                    // 1.0f
                                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0}  // -2.5
                                           ));
}

TEST(BinaryWriter, TextThatWouldNotReadBackIsRefused) {
    for (std::string_view text : {std::string_view("emoji \xF0\x9F\x98\x80"),
                                  std::string_view("a\0b", 3), std::string_view("\xC3")}) {
        FilePtr file = TempStream();
        CBinaryWriter writer(file.get());
        EXPECT_EQ(writer.WriteString(text), E_FAIL);
        EXPECT_TRUE(writer.HasError());
        EXPECT_EQ(ContentOf(file.get()), "");
    }
}

TEST(BinaryWriter, WriteErrorsAreDetected) {
    // A full disk shows only when the buffer is flushed.
    FilePtr full(std::fopen("/dev/full", "wb"), &std::fclose);
    ASSERT_NE(full, nullptr);
    CBinaryWriter toFull(full.get());
    toFull.WriteString("abc");
    EXPECT_EQ(toFull.Flush(), E_FAIL);
    EXPECT_TRUE(toFull.HasError());

    TempFolder folder;
    const std::string path = folder.Write("existing.dg6", "").string();
    FilePtr readOnly(std::fopen(path.c_str(), "rb"), &std::fclose);
    ASSERT_NE(readOnly, nullptr);
    CBinaryWriter toReadOnly(readOnly.get());
    EXPECT_EQ(toReadOnly.WriteInt(7), E_FAIL);
    EXPECT_TRUE(toReadOnly.HasError());

    pfs::AtomicFileWriter sink("/nonexistent-folder/design.dg6");
    CBinaryWriter toMissingFolder(sink);
    EXPECT_TRUE(toMissingFolder.HasError());
}

TEST(BinaryStream, ValuesWrittenAtomicallyReadBack) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path() / "設計.dg6";
    {
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        writer.WriteInt(-123456);
        writer.WriteFloat(6.05f);
        writer.WriteDouble(0.1);
        writer.WriteString("客廳 Living");
        writer.WriteString("");
        writer.WriteZeros(8);
        writer.WriteByte(9);
        ASSERT_FALSE(writer.HasError());
        ASSERT_TRUE(sink.Commit().Ok());
    }
    CBinaryReader reader(path.string());
    ASSERT_NE(reader.GetFile(), nullptr);
    EXPECT_EQ(reader.ReadInt(), -123456);
    EXPECT_EQ(reader.ReadFloat(), 6.05f);
    EXPECT_EQ(reader.ReadDouble(), 0.1);
    std::string text;
    EXPECT_EQ(reader.ReadString(text), S_OK);
    EXPECT_EQ(text, "客廳 Living");
    EXPECT_EQ(reader.ReadString(text), E_UNEXPECTED);
    EXPECT_EQ(text, "客廳 Living");
    unsigned char pad[8];
    EXPECT_EQ(reader.ReadBytes(pad, 8), S_OK);
    EXPECT_EQ(reader.ReadByte(), 9);
    EXPECT_EQ(reader.BytesLeft(), 0);
    EXPECT_FALSE(reader.HasError());
}

TEST(BinaryReader, EmptyAndNegativeLengthsLeaveTheTextAndStayInStep) {
    ByteStream bytes(Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 'a', 'b', 'c'}));
    CBinaryReader reader(bytes.Get());
    std::string text = "constructor value";
    EXPECT_EQ(reader.ReadString(text), E_UNEXPECTED);
    EXPECT_EQ(std::ftell(bytes.Get()), 4);
    EXPECT_EQ(reader.ReadString(text), E_UNEXPECTED);
    EXPECT_EQ(text, "constructor value");
    EXPECT_EQ(reader.ReadString(text), S_OK);
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(reader.HasError());
}

TEST(BinaryReader, ReadsPastTheEndGiveZeroAndRaiseTheFlag) {
    ByteStream bytes(Bytes({0x11, 0x22}));
    CBinaryReader reader(bytes.Get());
    EXPECT_EQ(reader.ReadInt(), 0);
    EXPECT_TRUE(reader.HasError());
    EXPECT_EQ(reader.ReadByte(), 0);
    EXPECT_EQ(reader.ReadFloat(), 0.0f);
    EXPECT_EQ(reader.ReadDouble(), 0.0);

    CBinaryReader unopened(std::string("/nonexistent-folder/design.dg6"));
    EXPECT_EQ(unopened.GetFile(), nullptr);
    EXPECT_EQ(unopened.ReadInt(), 0);
    EXPECT_TRUE(unopened.HasError());
}

TEST(BinaryReader, LengthsBeyondTheEndAreRefusedUnread) {
    ByteStream huge(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'}));
    CBinaryReader reader(huge.Get());
    std::string text = "kept";
    EXPECT_EQ(reader.ReadString(text), E_FAIL);
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(reader.HasError());
    EXPECT_EQ(std::ftell(huge.Get()), 4);

    ByteStream shortChars(Bytes({'a', 'b'}));
    CBinaryReader charsReader(shortChars.Get());
    EXPECT_EQ(charsReader.ReadChars(text, 3), E_FAIL);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(std::ftell(shortChars.Get()), 0);
    EXPECT_EQ(charsReader.ReadChars(text, 2), S_OK);
    EXPECT_EQ(text, "ab");
}

TEST(BinaryReader, BlockIsReadOnlyWhenItsLengthFitsWhatIsLeft) {
    ByteStream bytes(Bytes({1, 2, 'a', 0, 'b'}));
    CBinaryReader reader(bytes.Get());
    std::vector<uint8_t> block = {9};
    for (int32_t refused : {6, 0x7FFFFFFF, -1}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(reader.ReadBlock(block, refused), E_FAIL);
        EXPECT_EQ(block, std::vector<uint8_t>{9});
        EXPECT_EQ(std::ftell(bytes.Get()), 0);
    }
    EXPECT_TRUE(reader.HasError());

    EXPECT_EQ(reader.ReadBlock(block, 0), S_OK);
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(reader.ReadBlock(block, 2), S_OK);
    EXPECT_EQ(block, (std::vector<uint8_t>{1, 2}));
    // Raw bytes: unlike text, a block does not end at a zero byte.
    std::string raw = "kept";
    EXPECT_EQ(reader.ReadBlock(raw, 4), E_FAIL);
    EXPECT_EQ(raw, "kept");
    EXPECT_EQ(reader.ReadBlock(raw, 3), S_OK);
    EXPECT_EQ(raw, std::string("a\0b", 3));
    EXPECT_EQ(reader.BytesLeft(), 0);
}

TEST(BinaryReader, TextEndsAtZeroAndUndecodableBytesAreReplaced) {
    ByteStream bytes(Bytes({4, 0, 0, 0, 'a',  0,    'b', 'c',  //
                            2, 0, 0, 0, 0xB3, 0x5C,            //
                            2, 0, 0, 0, 0xFF, 'A',  7}));
    CBinaryReader reader(bytes.Get());
    std::string text;
    EXPECT_EQ(reader.ReadString(text), S_OK);
    EXPECT_EQ(text, "a");
    EXPECT_EQ(reader.ReadString(text), S_OK);
    EXPECT_EQ(text, "許");
    EXPECT_EQ(reader.ReadString(text), S_OK);
    EXPECT_EQ(text, "\uFFFDA");
    EXPECT_EQ(reader.ReadByte(), 7);
}

TEST(BinaryReader, ShortReadOfBytesZeroesTheRest) {
    ByteStream bytes(Bytes({1, 2, 3}));
    CBinaryReader reader(bytes.Get());
    unsigned char buffer[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(reader.ReadBytes(buffer, 6), E_FAIL);
    EXPECT_TRUE(reader.HasError());
    const unsigned char expected[6] = {1, 2, 3, 0, 0, 0};
    EXPECT_EQ(std::memcmp(buffer, expected, 6), 0);
}
