#include "objects/WallObject.h"

#include "foundation/TextFormat.h"
#include "objects/SurfaceMaterialName.h"

namespace {

constexpr double kDegrees = 57.295776;

std::string FormatFaceSize(double width, double height) {
    return FormatString(", 點選面寬%.1f公分, 點選面高%.1f公分.", width, height);
}

}  // namespace

void CWallObject::SetNumber(int number) {
    m_number = number;
    m_name = FormatString("牆-%.0f", static_cast<double>(number));
}

std::string CWallObject::GetDescription() const {
    return FormatString(
        "位置(%.1f, %.1f) 高度(下界限%.1f公分,上界限%.1f公分) 方向角%.1f度 仰角%.1f度 側角%.1f度",
        static_cast<double>(m_position[0]), static_cast<double>(-m_position[2]),
        static_cast<double>(m_position[1]), static_cast<double>(m_position[1] + m_realSize[2]),
        m_heading * kDegrees, m_elevation * kDegrees, m_roll * kDegrees);
}

std::string CWallObject::FormatPickedFaceSize(int part) const {
    const int face = GetOwningFace(part);
    const auto count = static_cast<int>(m_outline.size());
    if (face == 0 || face == 1) {
        return FormatFaceSize(m_realSize[0], m_realSize[1]);
    }
    if (count == 0) {
        return FormatFaceSize(0.0, m_realSize[2]);
    }
    const auto wrap = [count](int i) { return ((i % count) + count) % count; };
    const CVector2F edge = m_outline[wrap(face - 1)] - m_outline[wrap(face - 2)];
    return FormatFaceSize(edge.Scale(m_scale[0], m_scale[2]).GetLength(), m_realSize[2]);
}

MaterialRecord CWallObject::GetMaterialRecord(int index) const {
    MaterialRecord record = C3DObject::GetMaterialRecord(index);
    record.name = EncodeWallMaterialName(m_textureNames[index]);
    if (index >= 0 && index < static_cast<int>(m_refineRecords.size())) {
        record.refineFlag = m_refineRecords[index].flag;
        record.refineValue = m_refineRecords[index].level;
    }
    return record;
}
