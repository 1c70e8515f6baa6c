#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/SurfaceRecordBytes.h"
#include "objects/Text3DObject.h"
#include "support/ByteSink.h"

namespace {

class DesignFileText3DTest : public DesignFileTest {
protected:
    CText3DObject* AddText(const std::string& words, int number) {
        auto text = std::make_unique<CText3DObject>();
        text->SetText(words);
        text->SetNumber(number);
        text->Rebuild();
        text->SetScale(40.0f, 25.0f, 5.0f);
        text->SetPosition(150.0f + number, 0.0f, -60.0f);
        text->SetRotation(0.5f, 0.0f, 0.0f);
        text->SetColor(0x00204060);
        CText3DObject* added = text.get();
        scene->Objects(kText3DObjectType).push_back(text.release());
        return added;
    }

    // A design with the one 3D text "Hi", whose stored text is then
    // replaced by a length and the bytes given.
    std::string DesignWithStoredText(int32_t length, std::string_view bytes) {
        AddText("Hi", 4);
        std::string design = WriteDesignBytes();
        scene->ClearScene();
        // The front, five empty 3D sections, the text count, the record's
        // leading word and zeros.
        constexpr std::size_t kTextAt = 2300 + 5 * 4 + 4 + 24;
        EXPECT_EQ(design.substr(kTextAt, 6), ByteSink().Int(2).Raw("Hi").Bytes());
        design.replace(kTextAt, 6, ByteSink().Int(length).Raw(bytes).Bytes());
        return design;
    }

    std::vector<CText3DObject*> Texts() {
        std::vector<CText3DObject*> texts;
        for (CDesignObject* object : scene->Objects(kText3DObjectType)) {
            texts.push_back(static_cast<CText3DObject*>(object));
        }
        return texts;
    }
};

TEST_F(DesignFileText3DTest, TextsComeBackFromTheDesignFile) {
    const CText3DObject* saved = AddText("客廳", 4);
    AddText("Hi", 9)->SetMirrorMode(1);
    const std::array<float, 3> realSize = saved->GetRealSize();
    const uint32_t faces = saved->GetMesh()->GetNumFaces();
    const std::string savedRecord = WriteRecordBytes(*saved);
    const std::string bytes = WriteDesignBytes();
    scene->ClearScene();

    ASSERT_TRUE(Read(bytes));
    const std::vector<CText3DObject*> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    const CText3DObject& read = *texts[0];
    EXPECT_EQ(read.GetText(), "客廳");
    EXPECT_EQ(read.GetName(), "文字-4");
    EXPECT_STREQ(read.GetFont().faceName, "Times New Roman");
    EXPECT_EQ(read.GetColor(), 0x00204060u);
    EXPECT_EQ(read.GetRealSize(), realSize);
    EXPECT_EQ(read.GetPosition().x, 154.0f);
    EXPECT_EQ(static_cast<float>(read.GetHeading()), 0.5f);
    ASSERT_NE(read.GetMesh(), nullptr);
    EXPECT_EQ(read.GetMesh()->GetNumFaces(), faces);
    EXPECT_NEAR(read.GetScale()[0], 40.0f, 1e-3f);
    EXPECT_NEAR(read.GetScale()[1], 25.0f, 1e-3f);
    EXPECT_NEAR(read.GetScale()[2], 5.0f, 1e-3f);
    EXPECT_EQ(texts[1]->GetMirrorMode(), 1);
    EXPECT_EQ(texts[1]->GetName(), "文字-9");
    EXPECT_TRUE(messages.empty());

    // What was read writes the same record again.
    EXPECT_EQ(WriteRecordBytes(read), savedRecord);
}

TEST_F(DesignFileText3DTest, TextLongerThanAnyoneTypesIsRefusedAsDamage) {
    auto repeated = [](std::string_view piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    };
    constexpr std::string_view kOne = "\xA4\x40";  // "一" in CP950
    const struct {
        const char* what;
        int32_t length;
        std::string bytes;
        bool read;
    } cases[] = {
        {"1,000 characters of two bytes", 2000, repeated(kOne, 1000), true},
        {"1,001 characters", 1001, std::string(1001, 'W'), false},
        {"1,001 characters in 2,000 bytes", 2000, repeated(kOne, 999) + "WW", false},
        {"a length past two bytes a character", 2001, std::string(2001, 'W'), false},
        {"a length past the file", 0x7FFFFFF0, "W", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string design = DesignWithStoredText(c.length, c.bytes);
        const OpenState before = Capture();
        messages.clear();
        EXPECT_EQ(Read(design), c.read);
        if (c.read) {
            ASSERT_EQ(Texts().size(), 1u);
            EXPECT_EQ(Texts()[0]->GetText(), repeated("一", 1000));
        } else {
            EXPECT_EQ(messages, std::vector<std::string>{"設計案檔案已損壞，無法讀取。"});
            EXPECT_TRUE(Capture() == before);
        }
        scene->ClearScene();
    }
}

}  // namespace
