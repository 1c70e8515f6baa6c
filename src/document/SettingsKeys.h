#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "document/HousSettings.h"

// The keys of the settings file in writing order, each with the member that
// holds it and the range the program relies on.

enum class SettingAccess {
    Saved,          // read and written with the whole set
    WrittenOnly,    // GRID_HEIGHT, GRID_WIDTH: document values never read back
    ReadOnly,       // PREVIEWTURN: written by the furniture browser alone
    SaveAllFlag,    // CHK_SAVE: the General page's switch, not a document value
    StartupSwitch,  // read into the current 3D switches, written from the 3D view page
};

// How a value read from a hand-edited or damaged file is made usable.
enum class SettingRange {
    Any,               // every value is usable
    Clamp,             // moved into [minimum, maximum]
    Choice,            // outside [minimum, maximum] the default is taken
    OpenInterval,      // outside (minimum, maximum) the default is taken
    Flag,              // any value but 0 is 1
    VertexProcessing,  // 32 or 64, else the default
};

using SettingMember =
    std::variant<std::monostate, int32_t HousSettings::*, uint32_t HousSettings::*,
                 float HousSettings::*, std::string HousSettings::*>;

struct SettingKey {
    const char* section;
    const char* key;
    SettingMember member;
    SettingAccess access = SettingAccess::Saved;
    SettingRange range = SettingRange::Any;
    double minimum = 0.0;
    double maximum = 0.0;
    // Texts: the most CP950 bytes kept, cut on a character boundary; 0 keeps
    // the whole text (paths).
    std::size_t maxBytes = 0;
    // A file path, kept in the file in the stored "Z:\..." form like every
    // path the program writes.
    bool storedPath = false;
};

std::span<const SettingKey> GetSettingKeys();

// Brings one key's member of settings into the key's range.
void BringIntoRange(const SettingKey& key, HousSettings& settings);
