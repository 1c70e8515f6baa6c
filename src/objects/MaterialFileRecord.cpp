#include "objects/MaterialFileRecord.h"

#include <string_view>

#include "platform/text/Cp950.h"
#include "platform/text/Cp950Field.h"

namespace {

template <std::size_t N>
std::string DecodeField(const std::array<char, N>& field) {
    return text::Cp950ToUtf8Lenient(text::FixedFieldBytes(std::string_view(field.data(), N)));
}

}  // namespace

std::string MaterialFileRecord::GetName() const {
    return DecodeField(name);
}

std::string MaterialFileRecord::GetSerialNumber() const {
    return DecodeField(serialNumber);
}

std::string MaterialFileRecord::GetVendor() const {
    return DecodeField(vendor);
}

std::string MaterialFileRecord::GetDescription() const {
    return DecodeField(description);
}

std::string MaterialFileRecord::GetWebLink() const {
    return text::Cp950ToUtf8Lenient(text::FixedFieldBytes(extra));
}

void FreeMaterialImage(MaterialFileRecord& record) {
    std::vector<std::uint8_t>().swap(record.data);
}
