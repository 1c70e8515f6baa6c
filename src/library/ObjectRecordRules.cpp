#include "library/ObjectRecordRules.h"

#include <optional>
#include <utility>

#include "foundation/EditValidation.h"
#include "foundation/Prompt.h"
#include "foundation/TextFormat.h"
#include "library/ModelCatalogEntry.h"
#include "library/ModelDatabase.h"
#include "library/PictureCatalogEntry.h"
#include "library/TextureCatalogEntry.h"
#include "objects/LibraryCatalog.h"
#include "objects/MaterialFileReader.h"
#include "objects/ModelPackage.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Cp950.h"

namespace {

constexpr const char* kCaption = "物件資料";
constexpr const char* kNotPositiveMessage = "寬,深,高, 價格不可為負值或0";

// A float as the edits show it.
std::string ValueText(double value) {
    return FormatString("%.6g", static_cast<double>(static_cast<float>(value)));
}

// The value as it will be stored: read, then rounded to the six decimals it
// is written back with. Checking the rounded value keeps a tiny width such
// as 0.0000001, which would be stored as 0, from passing the "above 0" rule.
float StoredValue(const std::string& text) {
    return ParseFloatText(FormatString("%f", static_cast<double>(ParseFloatText(text))));
}

std::string StoredText(float value) {
    return FormatString("%f", static_cast<double>(value));
}

bool ShowRangeMessage(float maximum) {
    ShowMessage(FormatString("請輸入介於 0 和 %.0f 之間的數字。", static_cast<double>(maximum)),
                PromptButtons::Ok, PromptIcon::Warning);
    return false;
}

// The catalogue and the design files keep these texts in Big5.
bool TextsHaveBig5Form(const ObjectRecordFields& fields) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"名稱", &fields.name},
        {"型號", &fields.serialNumber},
        {"廠商", &fields.vendor},
        {"說明", &fields.description},
    };
    for (const auto& [label, text] : texts) {
        if (!text::Cp950Length(*text)) {
            ShowMessage(std::string("「") + label + "」含有 Big5 無法表示的字元。",
                        PromptButtons::Ok, PromptIcon::Warning);
            return false;
        }
    }
    return true;
}

template <typename Entry>
void FillTexts(const Entry& entry, ObjectRecordFields& fields) {
    fields.name = entry.name;
    fields.serialNumber = entry.serialNumber;
    fields.vendor = entry.vendor;
    fields.description = entry.description;
    fields.price = ValueText(entry.price);
}

template <typename Entry>
void StoreTexts(const ObjectRecordFields& fields, Entry& entry) {
    entry.name = fields.name;
    entry.serialNumber = fields.serialNumber;
    entry.vendor = fields.vendor;
    entry.description = fields.description;
}

struct StoredNumbers {
    float width;
    float depth;
    float height;
    float price;
};

void StoreRecord(const ObjectRecordFields& fields, const StoredNumbers& numbers,
                 ModelCatalogEntry& entry, CModelDatabase& database) {
    StoreTexts(fields, entry);
    entry.width = numbers.width;
    entry.depth = numbers.depth;
    entry.height = numbers.height;
    entry.price = numbers.price;
    database.UpdateModelRow(entry);
}

template <typename Entry>
void StoreMaterialRecord(const ObjectRecordFields& fields, const StoredNumbers& numbers,
                         Entry& entry) {
    StoreTexts(fields, entry);
    entry.width = numbers.width;
    entry.height = numbers.height;
    entry.price = numbers.price;
}

void StoreRecord(const ObjectRecordFields& fields, const StoredNumbers& numbers,
                 TextureCatalogEntry& entry, CModelDatabase& database) {
    StoreMaterialRecord(fields, numbers, entry);
    database.UpdateTextureRow(entry);
}

void StoreRecord(const ObjectRecordFields& fields, const StoredNumbers& numbers,
                 PictureCatalogEntry& entry, CModelDatabase& database) {
    StoreMaterialRecord(fields, numbers, entry);
    database.UpdatePictureRow(entry);
}

ObjectRecordFields FieldsOf(const ModelCatalogEntry& entry) {
    ObjectRecordFields fields;
    FillTexts(entry, fields);
    fields.width = ValueText(entry.width);
    fields.depth = ValueText(entry.depth);
    fields.height = ValueText(entry.height);
    return fields;
}

template <typename Entry>
ObjectRecordFields FieldsOfMaterialEntry(const Entry& entry) {
    ObjectRecordFields fields;
    FillTexts(entry, fields);
    fields.width = ValueText(entry.width);
    fields.depth = ValueText(0.0);
    fields.height = ValueText(entry.height);
    return fields;
}

ObjectRecordFields FieldsOf(const TextureCatalogEntry& entry) {
    return FieldsOfMaterialEntry(entry);
}

ObjectRecordFields FieldsOf(const PictureCatalogEntry& entry) {
    return FieldsOfMaterialEntry(entry);
}

}  // namespace

CObjectRecordRules::CObjectRecordRules(ModelCatalogEntry& entry, const std::string& programFolder)
    : CObjectRecordRules(EntryRef(&entry), programFolder) {}

CObjectRecordRules::CObjectRecordRules(TextureCatalogEntry& entry, const std::string& programFolder)
    : CObjectRecordRules(EntryRef(&entry), programFolder) {}

CObjectRecordRules::CObjectRecordRules(PictureCatalogEntry& entry, const std::string& programFolder)
    : CObjectRecordRules(EntryRef(&entry), programFolder) {}

CObjectRecordRules::CObjectRecordRules(EntryRef entry, const std::string& programFolder)
    : m_entry(entry),
      m_programFolder(programFolder),
      m_database(std::make_unique<CModelDatabase>()) {
    if (m_database->Open(CLibraryCatalog::GetCatalogFilePath(programFolder)) == 1) {
        m_initialFields = std::visit([](auto* edited) { return FieldsOf(*edited); }, m_entry);
    }
}

CObjectRecordRules::~CObjectRecordRules() {
    m_database->Close();
}

bool CObjectRecordRules::IsDatabaseOpen() const {
    return m_database->IsOpen();
}

std::string CObjectRecordRules::GetReloadButtonText() const {
    return HasDepth() ? "讀取模型檔案資料" : "讀取貼圖檔案資料";
}

const std::string& CObjectRecordRules::FilePath() const {
    return std::visit([](auto* edited) -> const std::string& { return edited->filePath; }, m_entry);
}

std::string CObjectRecordRules::GetTitle() const {
    std::string prefix = m_programFolder;
    if (!prefix.empty() && prefix.back() != '/') {
        prefix += '/';
    }
    const std::string& path = FilePath();
    // A file outside the program folder shows its whole path.
    if (m_programFolder.empty() || !path.starts_with(prefix)) {
        return std::string(kCaption) + " - " + path;
    }
    return std::string(kCaption) + " - ./" + path.substr(prefix.size());
}

bool CObjectRecordRules::Accept(ObjectRecordFields& fields) {
    const float width = StoredValue(fields.width);
    const float depth = HasDepth() ? StoredValue(fields.depth) : 0.0f;
    const float height = StoredValue(fields.height);
    const float price = StoredValue(fields.price);
    if (!(width > 0.0f && height > 0.0f && depth >= 0.0f && price >= 0.0f)) {
        ShowMessage(kNotPositiveMessage);
        return false;
    }
    fields.width = StoredText(width);
    fields.height = StoredText(height);
    fields.price = StoredText(price);
    if (HasDepth()) {
        fields.depth = StoredText(depth);
    }
    if (!CheckFloatEdit(fields.width, 0.0f, kMaxSize) ||
        (HasDepth() && !CheckFloatEdit(fields.depth, 0.0f, kMaxSize)) ||
        !CheckFloatEdit(fields.height, 0.0f, kMaxSize)) {
        return ShowRangeMessage(kMaxSize);
    }
    if (!CheckFloatEdit(fields.price, 0.0f, kMaxPrice)) {
        return ShowRangeMessage(kMaxPrice);
    }
    if (!TextsHaveBig5Form(fields)) {
        return false;
    }
    const StoredNumbers numbers{width, depth, height, price};
    std::visit([&](auto* edited) { StoreRecord(fields, numbers, *edited, *m_database); }, m_entry);
    m_database->Close();
    return true;
}

bool CObjectRecordRules::ReloadFromFile(ObjectRecordFields& fields) {
    if (HasDepth()) {
        return ReloadModel(fields);
    }
    if (auto** texture = std::get_if<TextureCatalogEntry*>(&m_entry)) {
        return ReloadMaterial(**texture, fields);
    }
    return ReloadMaterial(*std::get<PictureCatalogEntry*>(m_entry), fields);
}

// Read into a new package so that a file that went bad since the scan leaves
// the entry's package, and with it the browser's preview, as it was.
bool CObjectRecordRules::ReloadModel(ObjectRecordFields& fields) {
    ModelCatalogEntry& entry = *std::get<ModelCatalogEntry*>(m_entry);
    auto package = std::make_unique<CModelPackage>();
    if (package->Load(entry.filePath, kPackageReadAll) != 1) {
        ShowMessage("無法讀取模型檔案：" + entry.filePath, PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    fields.name = package->GetName();
    fields.serialNumber = package->GetModelNumber();
    fields.vendor = package->GetVendor();
    fields.description = package->GetDescription();
    fields.price = ValueText(package->GetPrice());
    entry.package = std::move(package);
    return true;
}

template <typename Entry>
bool CObjectRecordRules::ReloadMaterial(Entry& entry, ObjectRecordFields& fields) {
    const std::string& path = entry.filePath;
    if (path.size() < 4 || !text::EqualsIgnoreAsciiCase(path.substr(path.size() - 4), ".qvp")) {
        return false;
    }
    MaterialFileRecord record;
    if (!LoadMaterialFile(path, record, kMaterialFileQvp, true)) {
        ShowMessage("無法讀取貼圖檔案：" + path, PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    FreeMaterialImage(entry.material);
    entry.material = std::move(record);
    fields.name = entry.material.GetName();
    fields.serialNumber = entry.material.GetSerialNumber();
    fields.vendor = entry.material.GetVendor();
    fields.description = entry.material.GetDescription();
    fields.width = ValueText(entry.material.width);
    fields.height = ValueText(entry.material.height);
    fields.price = ValueText(entry.material.price);
    return true;
}
