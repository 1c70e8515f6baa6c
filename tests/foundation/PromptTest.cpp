#include "foundation/Prompt.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

TEST(Prompt, WithoutHandlerAnswersWhatChangesNothing) {
    EXPECT_EQ(ShowMessage("a", PromptButtons::Ok), PromptAnswer::Ok);
    EXPECT_EQ(ShowMessage("b", PromptButtons::YesNo), PromptAnswer::No);
    EXPECT_EQ(ShowMessage("c", PromptButtons::YesNoCancel), PromptAnswer::Cancel);
    EXPECT_FALSE(AskFileName(FileNameRequest{}).has_value());
}

TEST(Prompt, ScopedHandlersAnswerAndAreRestored) {
    std::string seen;
    {
        CScopedPromptHandlers handlers(
            [&](const MessageRequest& r) {
                seen = r.text;
                return PromptAnswer::Yes;
            },
            [](const FileNameRequest& r) { return std::optional<std::string>(r.defaultName); });
        EXPECT_EQ(ShowMessage("是否確定中斷?", PromptButtons::YesNo), PromptAnswer::Yes);
        FileNameRequest request;
        request.defaultName = "zadivav.ini";
        EXPECT_EQ(AskFileName(request), "zadivav.ini");
    }
    EXPECT_EQ(seen, "是否確定中斷?");
    EXPECT_EQ(ShowMessage("d", PromptButtons::YesNo), PromptAnswer::No);
}

namespace {

// Records every message and load warning shown, in order; the warning whose
// path is spareAt asks to be spared the rest.
class RecordedPrompts {
public:
    RecordedPrompts()
        : m_handlers([this](const MessageRequest& r) {
              shown.push_back(r.text);
              return PromptAnswer::Yes;
          }) {
        SetLoadWarningHandler([this](std::string_view format, std::string_view path) {
            shown.push_back(std::string(format) + std::string(path));
            return path == spareAt;
        });
    }
    ~RecordedPrompts() { SetLoadWarningHandler({}); }

    std::vector<std::string> shown;
    std::string spareAt;

private:
    CScopedPromptHandlers m_handlers;
};

}  // namespace

TEST(Prompt, HeldPromptsWaitForTheReleaseAndAreDroppedWithoutIt) {
    RecordedPrompts recorded;
    recorded.spareAt = "b.jpg";
    {
        CHeldPrompts held;
        EXPECT_EQ(ShowMessage("模型重建失敗"), PromptAnswer::Ok);
        EXPECT_FALSE(ShowLoadWarning("找不到 ", "a.jpg"));
        EXPECT_FALSE(ShowLoadWarning("找不到 ", "b.jpg"));
        EXPECT_FALSE(ShowLoadWarning("找不到 ", "c.jpg"));
        ShowMessage("模型重建失敗");
        // A question and a refusal cannot wait.
        EXPECT_EQ(ShowMessage("是否繼續?", PromptButtons::YesNo), PromptAnswer::Yes);
        ShowMessageNow("損壞");
        EXPECT_EQ(recorded.shown, (std::vector<std::string>{"是否繼續?", "損壞"}));
        recorded.shown.clear();
        held.Release();
        // Each text once; the warnings until the user asked to be spared.
        EXPECT_EQ(recorded.shown,
                  (std::vector<std::string>{"模型重建失敗", "找不到 a.jpg", "找不到 b.jpg"}));
        // Released, the prompts go straight through again.
        ShowMessage("e");
        EXPECT_EQ(recorded.shown.back(), "e");
    }
    recorded.shown.clear();
    {
        CHeldPrompts held;
        ShowMessage("模型重建失敗");
        ShowLoadWarning("找不到 ", "a.jpg");
    }
    EXPECT_TRUE(recorded.shown.empty());
    ShowMessage("f");
    EXPECT_EQ(recorded.shown, std::vector<std::string>{"f"});
}
