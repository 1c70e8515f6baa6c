#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CHousDoc;

// What the design save dialog returns: the file, and whether and where the
// design joins a show group of "MyDesign/".
struct DesignSaveChoice {
    std::string path;
    bool addToGroup = false;
    int32_t group = 0;
};

// The design save dialog, as the save reaches it.
class IDesignSaveChooser {
public:
    virtual ~IDesignSaveChooser() = default;
    // Nothing when the user cancels.
    virtual std::optional<DesignSaveChoice> ChooseDesignFile(const std::string& proposedTitle,
                                                             const std::string& folder) = 0;
};

// A save's decisions about the design's show entry, carried out only after
// the design file was written, so that a failed write leaves the design path
// and the catalogue as they were.
struct ShowEntrySavePlan {
    std::string path;                        // the file the design is written to
    std::optional<DesignSaveChoice> choice;  // set when the user chose the file
    bool storeShowValues = false;            // a modified design saved under its name
};

// Before the write. askName 0 lets the user choose the file (save as, first
// save) with proposed title and folder from the document; nothing when the
// user cancels.
std::optional<ShowEntrySavePlan> UpdateShowEntryOnSave(const CHousDoc& document, int askName,
                                                       IDesignSaveChooser& chooser);

// After a successful write. A chosen file becomes the design path and is
// listed in "MyDesign/" (a file saved under its own name is first taken out
// of its list, so its entry moves to the end of the chosen one); a design
// saved under its name gets its show values into the first catalogue that
// lists it.
void CommitShowEntryOnSave(CHousDoc& document, const ShowEntrySavePlan& plan);
