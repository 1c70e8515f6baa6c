#include "objects/DxfSymbolReader.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "objects/DxfSymbol.h"

namespace {

enum SectionKind { kOtherSection = 0, kHeaderSection = 1, kEntitiesSection = 4 };

SectionKind GetSectionKind(const std::string& name) {
    if (name == "HEADER") {
        return kHeaderSection;
    }
    if (name == "ENTITIES") {
        return kEntitiesSection;
    }
    return kOtherSection;
}

// The number text of atoi and atof: leading blanks and a '+' skipped.
const char* SkipToNumber(const std::string& text) {
    const char* p = text.c_str();
    while (*p == ' ') {
        ++p;
    }
    if (*p == '+') {
        ++p;
    }
    return p;
}

// atoi: the leading number, 0 when there is none or it does not fit.
int ParseGroupCode(const std::string& text) {
    const char* first = SkipToNumber(text);
    int value = 0;
    if (std::from_chars(first, first + std::strlen(first), value).ec != std::errc()) {
        return 0;
    }
    return value;
}

// atof in the C locale, whatever the process locale is. A value with no
// finite form reads as 0, so no coordinate can poison the geometry.
double ParseCoordinate(const std::string& text) {
    const char* first = SkipToNumber(text);
    double value = 0.0;
    const auto result = std::from_chars(first, first + std::strlen(first), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

void ToUpper(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

}  // namespace

CDxfSymbolReader::CDxfSymbolReader(FILE* file, CDxfSymbol& symbol)
    : m_file(file), m_symbol(symbol), m_buffer(kBufferSize, 0) {}

bool CDxfSymbolReader::ReadByte(unsigned char& byte) {
    if (m_bufferPosition >= m_bufferLength) {
        m_bufferLength = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        m_bufferPosition = 0;
        if (m_bufferLength == 0) {
            return false;
        }
    }
    byte = m_buffer[m_bufferPosition++];
    return true;
}

bool CDxfSymbolReader::ReadLine(std::string& text) {
    text.clear();
    unsigned char byte = 0;
    while (ReadByte(byte)) {
        // The line feed of a CR LF pair ends nothing more.
        const bool skip = m_skipLineFeed && byte == '\n';
        m_skipLineFeed = byte == '\r';
        if (skip) {
            continue;
        }
        if (byte == '\r' || byte == '\n') {
            return true;
        }
        if (byte >= 32 && byte <= 126 && text.size() < kMaxLineLength) {
            text.push_back(static_cast<char>(byte));
        }
    }
    text.clear();
    return false;
}

bool CDxfSymbolReader::ReadGroup(int& code, std::string& value) {
    std::string codeText;
    if (!ReadLine(codeText) || !ReadLine(value)) {
        return false;
    }
    code = ParseGroupCode(codeText);
    ToUpper(value);
    return true;
}

bool CDxfSymbolReader::ReadSectionStart(std::string& name) {
    int code = 0;
    std::string value;
    if (!ReadGroup(code, value) || code != 0 || value != "SECTION") {
        return false;
    }
    return ReadGroup(code, name) && code == 2;
}

bool CDxfSymbolReader::ReadXY(CVector2D& point) {
    int code = 0;
    std::string value;
    if (!ReadGroup(code, value) || code != 10) {
        return false;
    }
    const double x = ParseCoordinate(value);
    if (!ReadGroup(code, value) || code != 20) {
        return false;
    }
    point = CVector2D(x, ParseCoordinate(value));
    return true;
}

bool CDxfSymbolReader::ReadHeader() {
    int code = 0;
    std::string value;
    while (ReadGroup(code, value)) {
        if (code == 0) {
            return value == "ENDSEC";
        }
        if (code == 9 && value == "$EXTMIN") {
            if (!ReadXY(m_symbol.m_extentsMin)) {
                return false;
            }
        } else if (code == 9 && value == "$EXTMAX") {
            if (!ReadXY(m_symbol.m_extentsMax)) {
                return false;
            }
        }
    }
    return false;
}

bool CDxfSymbolReader::ReadPointEntity() {
    CVector2D point;
    bool haveX = false;
    bool haveY = false;
    int code = 0;
    std::string value;
    while (!(haveX && haveY)) {
        if (!ReadGroup(code, value)) {
            return false;
        }
        if (code == 10) {
            point.x = ParseCoordinate(value);
            haveX = true;
        } else if (code == 20) {
            point.y = ParseCoordinate(value);
            haveY = true;
        }
    }
    m_symbol.m_points.push_back(point);
    return true;
}

bool CDxfSymbolReader::ReadLineEntity() {
    CDxfSymbol::Line line;
    unsigned seen = 0;
    int code = 0;
    std::string value;
    while (seen != 0xF) {
        if (!ReadGroup(code, value)) {
            return false;
        }
        switch (code) {
            case 10:
                line.start.x = ParseCoordinate(value);
                seen |= 1;
                break;
            case 20:
                line.start.y = ParseCoordinate(value);
                seen |= 2;
                break;
            case 11:
                line.end.x = ParseCoordinate(value);
                seen |= 4;
                break;
            case 21:
                line.end.y = ParseCoordinate(value);
                seen |= 8;
                break;
            default:
                break;
        }
    }
    m_symbol.m_lines.push_back(line);
    return true;
}

bool CDxfSymbolReader::ReadEntities() {
    int code = 0;
    std::string value;
    while (ReadGroup(code, value)) {
        if (code != 0) {
            continue;
        }
        if (value == "ENDSEC") {
            return true;
        }
        if (value == "POINT") {
            if (!ReadPointEntity()) {
                return false;
            }
        } else if (value == "LINE") {
            if (!ReadLineEntity()) {
                return false;
            }
        }
    }
    return false;
}

bool CDxfSymbolReader::SkipToGroup(int code, const char* value) {
    int groupCode = 0;
    std::string groupValue;
    while (ReadGroup(groupCode, groupValue)) {
        if (groupCode == code && groupValue == value) {
            return true;
        }
    }
    return false;
}

void CDxfSymbolReader::ParseFile() {
    std::string name;
    while (ReadSectionStart(name)) {
        switch (GetSectionKind(name)) {
            case kHeaderSection: {
                const CVector2D& min = m_symbol.m_extentsMin;
                const CVector2D& max = m_symbol.m_extentsMax;
                if (!ReadHeader() || min.x >= max.x || min.y >= max.y) {
                    return;
                }
                break;
            }
            case kEntitiesSection:
                if (!ReadEntities()) {
                    return;
                }
                break;
            case kOtherSection:
                if (!SkipToGroup(0, "ENDSEC")) {
                    return;
                }
                break;
        }
    }
}
