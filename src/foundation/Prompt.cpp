#include "foundation/Prompt.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

MessageHandler& CurrentMessageHandler() {
    static MessageHandler handler;
    return handler;
}

FileNameHandler& CurrentFileNameHandler() {
    static FileNameHandler handler;
    return handler;
}

LoadWarningHandler& CurrentLoadWarningHandler() {
    static LoadWarningHandler handler;
    return handler;
}

// Without a user to ask, take the answer that leaves everything as it is.
PromptAnswer HeadlessAnswer(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel:
            break;
    }
    return PromptAnswer::Cancel;
}

}  // namespace

PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons, PromptIcon icon) {
    const MessageHandler& handler = CurrentMessageHandler();
    if (handler) {
        return handler(MessageRequest{std::string(text), buttons, icon});
    }
    std::fprintf(stderr, "velmora: %.*s\n", static_cast<int>(text.size()), text.data());
    return HeadlessAnswer(buttons);
}

std::optional<std::string> AskFileName(const FileNameRequest& request) {
    const FileNameHandler& handler = CurrentFileNameHandler();
    if (handler) {
        return handler(request);
    }
    return std::nullopt;
}

bool ShowLoadWarning(std::string_view format, std::string_view path) {
    const LoadWarningHandler& handler = CurrentLoadWarningHandler();
    if (handler) {
        return handler(format, path);
    }
    // Without a window the warning goes to the log, the path in its place.
    std::string text(format);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, path);
    }
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    return false;
}

void SetLoadWarningHandler(LoadWarningHandler handler) {
    CurrentLoadWarningHandler() = std::move(handler);
}

void SetMessageHandler(MessageHandler handler) {
    CurrentMessageHandler() = std::move(handler);
}

void SetFileNameHandler(FileNameHandler handler) {
    CurrentFileNameHandler() = std::move(handler);
}

CScopedPromptHandlers::CScopedPromptHandlers(MessageHandler message, FileNameHandler fileName)
    : m_previousMessage(std::exchange(CurrentMessageHandler(), std::move(message))),
      m_previousFileName(std::exchange(CurrentFileNameHandler(), std::move(fileName))) {}

CScopedPromptHandlers::~CScopedPromptHandlers() {
    CurrentMessageHandler() = std::move(m_previousMessage);
    CurrentFileNameHandler() = std::move(m_previousFileName);
}
