// A model record as the design reader hands it over. Every record is read
// against one packaged box, whatever path it names, so that its materials,
// mirror mode and sizes are applied to a real mesh. The first byte chooses
// the design-file version, with short or full material entries.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "foundation/BinaryReader.h"
#include "fuzz/FuzzInputFile.h"
#include "objects/FakeSceneServices.h"
#include "objects/ModelObject.h"
#include "objects/ModelObjectTestPackage.h"

namespace {

class FixedPackageScene : public FakeSceneServices {
public:
    explicit FixedPackageScene(float version) : m_version(version) {}
    HRESULT LocateMissingFile(int /*kind*/, std::string& path) override {
        static const std::string package =
            WriteFuzzInput("box.qvx", reinterpret_cast<const std::uint8_t*>(Package().data()),
                           Package().size())
                .string();
        path = package;
        return S_OK;
    }
    float GetFileVersion() const override { return m_version; }

private:
    static const std::string& Package() {
        static const std::string bytes = model_test::MakePackage({});
        return bytes;
    }

    float m_version;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    FixedPackageScene scene((data[0] & 1) != 0 ? 6.04f : 6.05f);
    const std::string path = WriteFuzzInput("record.bin", data + 1, size - 1).string();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    {
        CBinaryReader reader(file);
        CModelObject model;
        model.Read(reader);
    }
    std::fclose(file);
    return 0;
}
