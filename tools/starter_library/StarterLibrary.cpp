#include "StarterLibrary.h"

#include <stdexcept>

#include "Catalogue.h"
#include "FixedFiles.h"
#include "Furniture.h"
#include "LibraryOutput.h"
#include "Manifest.h"
#include "Pictures.h"
#include "ProceduralTextures.h"
#include "SampleDesigns.h"

void WriteStarterLibrary(LibraryOutput& output) {
    try {
        WriteFixedFiles(output);
        WriteTextures(output);
        WritePictures(output);
        WriteFurniture(output);
    } catch (const std::runtime_error& error) {
        output.Fail(error.what());
    }
    WriteCatalogue(output);
    WriteSampleDesigns(output);
    WriteManifest(output);
}
