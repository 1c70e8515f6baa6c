// A design file opened over an open design: the front, the object sections
// and the trailer; then the same bytes taken in as an exported selection.
// The plan symbols and pictures it names are found in the program folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/HousDoc.h"
#include "foundation/ApplicationValues.h"
#include "foundation/BinaryReader.h"
#include "foundation/Prompt.h"
#include "fuzz/FuzzInputFile.h"
#include "platform/image/Image.h"

namespace {

class CQuietView : public IDesignFileView {
public:
    DesignViewState GetViewState() const override { return m_state; }
    ShadowColor GetShadowColor() const override { return m_shadow; }
    const ViewPointTable& GetViewPointTable() const override { return m_table; }
    void ApplyViewState(const DesignViewState& state, const AmbientBytes&) override {
        m_state = state;
    }
    void SetShadowColor(const ShadowColor& color) override { m_shadow = color; }
    void SetViewPointTable(const ViewPointTable& table) override { m_table = table; }
    void SetStoredIdCounter(double) override {}

private:
    DesignViewState m_state;
    ShadowColor m_shadow{};
    ViewPointTable m_table{};
};

void WriteLibraryFile(const std::string& relative, const std::string& bytes) {
    const std::filesystem::path path = FuzzScratchFolder() / "program" / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The program folder with a symbol and a picture that the seeds name.
struct CDesignFixture {
    CDesignFixture() : prompts([](const MessageRequest&) { return PromptAnswer::Ok; }) {
        SetProgramFolder(FuzzScratchFolder() / "program");
        WriteLibraryFile("2Dicon/bed.dxf",
                         "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n-10\n20\n-5\n11\n10\n21\n5\n"
                         "0\nENDSEC\n0\nEOF\n");
        image::CImage picture;
        picture.Create(3, 2);
        const std::vector<uint8_t> bmp = picture.Encode(image::ImageFormat::Bmp).value();
        WriteLibraryFile("2DMap/Der6Era/plan.bmp", std::string(bmp.begin(), bmp.end()));
        doc = std::make_unique<CHousDoc>();
        scene = std::make_unique<CDesignScene>();
        scene->SetDocument(doc.get());
    }

    CScopedPromptHandlers prompts;
    std::unique_ptr<CHousDoc> doc;
    std::unique_ptr<CDesignScene> scene;
    CQuietView view;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CDesignFixture fixture;
    const std::string path = WriteFuzzInput("input.dg6", data, size).string();
    {
        CBinaryReader reader(path);
        int32_t wireframe = 0;
        fixture.scene->ReadDesignFile(reader, fixture.view, true, wireframe);
    }
    {
        CBinaryReader reader(path);
        fixture.scene->ReadSelectionExchange(reader);
    }
    return 0;
}
