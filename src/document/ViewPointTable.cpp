#include "document/ViewPointTable.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "document/DesignFileFields.h"
#include "platform/text/Cp950.h"

namespace {

namespace F = DesignFileFields;

constexpr std::size_t kEyeOffset = 20;
constexpr std::size_t kHeadingOffset = 32;
constexpr std::size_t kPitchOffset = 36;

}  // namespace

ViewPointTable PackViewPoints(std::vector<std::shared_ptr<ViewPointRecord>>& points) {
    ViewPointTable table{};
    std::size_t slot = 0;
    for (const std::shared_ptr<ViewPointRecord>& point : points) {
        if (slot == kViewPointSlotCount) {
            break;
        }
        if (point == nullptr) {
            continue;
        }
        const std::optional<std::string> name =
            text::TruncateToCp950Bytes(point->name, kViewPointNameBytes);
        const std::optional<std::string> bytes = name ? text::Utf8ToCp950(*name) : std::nullopt;
        if (!bytes || bytes->empty() || bytes->front() == '\0') {
            continue;
        }
        point->name = *name;
        const std::span<uint8_t> record =
            std::span(table).subspan(slot * kViewPointSlotSize, kViewPointSlotSize);
        std::copy(bytes->begin(), bytes->end(), record.begin());
        F::PutVector3(record, kEyeOffset, {point->x, point->y, point->z});
        F::PutFloat(record, kHeadingOffset, point->heading);
        F::PutFloat(record, kPitchOffset, point->pitch);
        ++slot;
    }
    return table;
}

std::vector<std::shared_ptr<ViewPointRecord>> UnpackViewPoints(const ViewPointTable& table) {
    std::vector<std::shared_ptr<ViewPointRecord>> points;
    for (std::size_t slot = 0; slot < kViewPointSlotCount; ++slot) {
        const std::span<const uint8_t> record =
            std::span(table).subspan(slot * kViewPointSlotSize, kViewPointSlotSize);
        if (record[0] == 0) {
            break;
        }
        auto point = std::make_shared<ViewPointRecord>();
        point->name = F::GetText(record.first(kViewPointNameBytes));
        const gfx::Vector3 eye = F::GetVector3(record, kEyeOffset);
        point->x = eye.x;
        point->y = eye.y;
        point->z = eye.z;
        point->heading = F::GetFloat(record, kHeadingOffset);
        point->pitch = F::GetFloat(record, kPitchOffset);
        const bool finite = std::isfinite(point->x) && std::isfinite(point->y) &&
                            std::isfinite(point->z) && std::isfinite(point->heading) &&
                            std::isfinite(point->pitch);
        if (finite) {
            points.push_back(std::move(point));
        }
    }
    return points;
}
