#pragma once

#include <memory>
#include <string>
#include <variant>

class CModelDatabase;
struct ModelCatalogEntry;
struct PictureCatalogEntry;
struct TextureCatalogEntry;

// Which library the edited entry comes from. Not the catalogue's kinds: these
// follow the order of the browsers that open the record dialog.
enum ObjectRecordKind : int {
    kObjectRecordModel = 0,
    kObjectRecordTexture = 1,
    kObjectRecordPhoto = 2,
};

// The texts of the record dialog's edits.
struct ObjectRecordFields {
    std::string name;
    std::string width;
    std::string depth;
    std::string height;
    std::string price;
    std::string serialNumber;
    std::string vendor;
    std::string description;
};

// The rules of the object record dialog, apart from its controls: the
// catalogue record of one library file, shown as texts, checked, and written
// back into the entry and its catalogue row. Holds its own connection to the
// program folder's catalogue while the dialog is open.
class CObjectRecordRules {
public:
    static constexpr float kMaxSize = 10000.0f;
    static constexpr float kMaxPrice = 100000000.0f;

    // Opens the catalogue; when that fails (the database reports why) the
    // fields start empty.
    CObjectRecordRules(ModelCatalogEntry& entry, const std::string& programFolder);
    CObjectRecordRules(TextureCatalogEntry& entry, const std::string& programFolder);
    CObjectRecordRules(PictureCatalogEntry& entry, const std::string& programFolder);
    ~CObjectRecordRules();

    CObjectRecordRules(const CObjectRecordRules&) = delete;
    CObjectRecordRules& operator=(const CObjectRecordRules&) = delete;

    int GetKind() const { return static_cast<int>(m_entry.index()); }
    // Only models have a depth; the other kinds show it disabled.
    bool HasDepth() const { return GetKind() == kObjectRecordModel; }
    bool IsDatabaseOpen() const;
    std::string GetReloadButtonText() const;
    // "物件資料 - ./" and the file's path inside the program folder.
    std::string GetTitle() const;
    // The entry's values as the edits start with them.
    const ObjectRecordFields& GetInitialFields() const { return m_initialFields; }

    // OK: checks the texts; a refusal is shown to the user and false
    // returned, the dialog staying open. Accepted sizes and price are written
    // back into the fields as "%f" before their ranges are checked, as they
    // are then stored. Once accepted the entry and its catalogue row take the
    // values and the catalogue is closed.
    bool Accept(ObjectRecordFields& fields);

    // The reload button: reads the entry's file again and puts its texts,
    // price and (textures and photos) size into the fields; a model keeps its
    // size. Plain image files hold no record: nothing happens and false is
    // returned. A file that cannot be read is reported and changes nothing.
    bool ReloadFromFile(ObjectRecordFields& fields);

private:
    using EntryRef = std::variant<ModelCatalogEntry*, TextureCatalogEntry*, PictureCatalogEntry*>;

    CObjectRecordRules(EntryRef entry, const std::string& programFolder);
    const std::string& FilePath() const;
    bool ReloadModel(ObjectRecordFields& fields);
    template <typename Entry>
    bool ReloadMaterial(Entry& entry, ObjectRecordFields& fields);

    EntryRef m_entry;
    std::string m_programFolder;
    std::unique_ptr<CModelDatabase> m_database;
    ObjectRecordFields m_initialFields;
};
