#include "foundation/Prompt.h"

#include <gtest/gtest.h>

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
