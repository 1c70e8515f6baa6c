#include "Manifest.h"

#include <string>

#include "LibraryOutput.h"

namespace {

// Everything shipped is made by the generator itself and so is under the
// project's own licence.
constexpr const char* kSource = "generated";
constexpr const char* kLicence = "GPL-2.0-or-later";

}  // namespace

void WriteManifest(LibraryOutput& output) {
    std::string text =
        "# Starter library, made by tools/starter_library.\n"
        "# file\tsource\tlicence\n";
    for (const std::string& file : output.Written()) {
        text += file + "\t" + kSource + "\t" + kLicence + "\n";
    }
    output.Write(kManifestFileName, text);
}
