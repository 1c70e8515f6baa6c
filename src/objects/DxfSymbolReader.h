#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CDxfSymbol;
class CVector2D;

// Reads a DXF symbol byte by byte through a 32 KB buffer into a CDxfSymbol.
// Lines end at a carriage return, a line feed or both; only printable ASCII
// is kept of a line. Numbers are read in the C locale.
class CDxfSymbolReader {
public:
    // The stream stays the caller's.
    CDxfSymbolReader(FILE* file, CDxfSymbol& symbol);
    CDxfSymbolReader(const CDxfSymbolReader&) = delete;
    CDxfSymbolReader& operator=(const CDxfSymbolReader&) = delete;

    // Reads sections until the input, a section or the header gives out.
    void ParseFile();

private:
    static constexpr std::size_t kBufferSize = 32768;
    // Longer lines are cut; no DXF line comes near it.
    static constexpr std::size_t kMaxLineLength = 4096;

    bool ReadByte(unsigned char& byte);
    bool ReadLine(std::string& text);
    bool ReadGroup(int& code, std::string& value);
    bool ReadSectionStart(std::string& name);
    bool ReadHeader();
    bool ReadXY(CVector2D& point);
    bool ReadEntities();
    bool ReadPointEntity();
    bool ReadLineEntity();
    bool SkipToGroup(int code, const char* value);

    FILE* m_file;
    CDxfSymbol& m_symbol;
    std::vector<unsigned char> m_buffer;
    std::size_t m_bufferLength = 0;
    std::size_t m_bufferPosition = 0;
    bool m_skipLineFeed = false;
};
