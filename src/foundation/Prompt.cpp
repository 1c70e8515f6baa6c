#include "foundation/Prompt.h"

#include <algorithm>
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

PromptAnswer Dispatch(const MessageHandler& handler, std::string_view text, PromptButtons buttons,
                      PromptIcon icon) {
    if (handler) {
        return handler(MessageRequest{std::string(text), buttons, icon});
    }
    std::fprintf(stderr, "velmora: %.*s\n", static_cast<int>(text.size()), text.data());
    return HeadlessAnswer(buttons);
}

CHeldPrompts*& ActiveHold() {
    static CHeldPrompts* hold = nullptr;
    return hold;
}

}  // namespace

PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons, PromptIcon icon) {
    return Dispatch(CurrentMessageHandler(), text, buttons, icon);
}

PromptAnswer ShowMessageNow(std::string_view text, PromptButtons buttons, PromptIcon icon) {
    const CHeldPrompts* outermost = ActiveHold();
    if (outermost == nullptr) {
        return ShowMessage(text, buttons, icon);
    }
    while (outermost->m_outer != nullptr) {
        outermost = outermost->m_outer;
    }
    return Dispatch(outermost->m_previousMessage, text, buttons, icon);
}

CHeldPrompts::CHeldPrompts()
    : m_previousMessage(CurrentMessageHandler()),
      m_previousWarning(CurrentLoadWarningHandler()),
      m_outer(ActiveHold()) {
    ActiveHold() = this;
    CurrentMessageHandler() = [this](const MessageRequest& request) {
        if (request.buttons != PromptButtons::Ok) {
            return Dispatch(m_previousMessage, request.text, request.buttons, request.icon);
        }
        m_held.push_back({false, request, {}});
        return PromptAnswer::Ok;
    };
    CurrentLoadWarningHandler() = [this](std::string_view format, std::string_view path) {
        Held held;
        held.warning = true;
        held.message.text = format;
        held.path = path;
        m_held.push_back(std::move(held));
        return false;
    };
}

CHeldPrompts::~CHeldPrompts() {
    Restore();
}

void CHeldPrompts::Restore() {
    if (!m_holding) {
        return;
    }
    m_holding = false;
    CurrentMessageHandler() = std::move(m_previousMessage);
    CurrentLoadWarningHandler() = std::move(m_previousWarning);
    ActiveHold() = m_outer;
}

void CHeldPrompts::Release() {
    Restore();
    const std::vector<Held> held = std::move(m_held);
    m_held.clear();
    std::vector<std::string> shown;
    bool spared = false;
    for (const Held& prompt : held) {
        if (prompt.warning) {
            if (!spared) {
                spared = ShowLoadWarning(prompt.message.text, prompt.path);
            }
            continue;
        }
        if (std::find(shown.begin(), shown.end(), prompt.message.text) == shown.end()) {
            shown.push_back(prompt.message.text);
            ShowMessage(prompt.message.text, prompt.message.buttons, prompt.message.icon);
        }
    }
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
