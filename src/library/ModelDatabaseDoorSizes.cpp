#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Result.h"
#include "library/ModelDatabase.h"
#include "platform/db/SqliteDatabase.h"

namespace {

// Offered while the catalogue is not open.
constexpr const char* kBuiltInDoorWindowSizes[] = {"120x210", "150x150", "70x195", "400x400"};

// The number a size text starts with, as atoi reads it: leading white space,
// a sign and the digits up to the first other character; 0 without digits.
// Values beyond an int are held at its limits.
int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

// Width before the first 'x' and height after it; a text without one is all
// height.
bool FitsBelow(std::string_view size, int widthLimit, int heightLimit) {
    const std::size_t x = size.find('x');
    const int width = x == std::string_view::npos ? 0 : LeadingNumber(size.substr(0, x));
    const int height = LeadingNumber(x == std::string_view::npos ? size : size.substr(x + 1));
    return width < widthLimit && height < heightLimit;
}

}  // namespace

void CModelDatabase::GetDoorWindowSizes(std::vector<std::string>& sizes, int widthLimit,
                                        int heightLimit) {
    if (m_bOpen) {
        std::vector<std::string> stored;
        const bool read =
            m_connection->Query("select * from DoorWindowData", [&](const pdb::CSqliteRow& row) {
                const std::optional<std::string>* size = row.Find("Size");
                if (size != nullptr && size->has_value() &&
                    FitsBelow(**size, widthLimit, heightLimit)) {
                    stored.push_back(**size);
                }
                return true;
            });
        if (read) {
            sizes.insert(sizes.end(), stored.begin(), stored.end());
            return;
        }
        // Reported once; the editor goes on with the built-in sizes.
        ReportFailure();
    }
    for (const char* size : kBuiltInDoorWindowSizes) {
        if (FitsBelow(size, widthLimit, heightLimit)) {
            sizes.emplace_back(size);
        }
    }
}

int CModelDatabase::AddDoorWindowSize(const std::string& size) {
    if (!m_bOpen) {
        return 1;
    }
    bool stored = false;
    const bool read =
        m_connection->Query("select Size from DoorWindowData", [&](const pdb::CSqliteRow& row) {
            stored = row.GetValue(0) == size;
            return !stored;
        });
    if (!read) {
        ReportFailure();
        return E_UNEXPECTED;
    }
    if (stored) {
        return E_FAIL;
    }
    // Bound rather than pasted in, so a quote in the text cannot break the
    // statement.
    return RunStatement("insert into DoorWindowData values(?, NULL)", {size}) ? 0 : E_UNEXPECTED;
}

int CModelDatabase::DeleteDoorWindowSize(const std::string& size) {
    if (!m_bOpen) {
        return 1;
    }
    return RunStatement("delete from DoorWindowData where Size=?", {size}) ? 0 : E_UNEXPECTED;
}
