#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one seam through which the model layers ask the user something: a
// message box or a file name. The shell installs handlers that show real
// dialogs; tests install handlers that answer; with no handler a message is
// logged to stderr and answered with the choice that changes nothing, so a
// headless run never blocks.

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::Information;
};

struct FileNameRequest {
    bool save = false;
    std::string title;
    std::string filter;  // "描述 (*.ext)|*.ext||" as the dialogs write it
    std::string defaultName;
    std::string folder;
};

using MessageHandler = std::function<PromptAnswer(const MessageRequest&)>;
using FileNameHandler = std::function<std::optional<std::string>(const FileNameRequest&)>;

PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons = PromptButtons::Ok,
                         PromptIcon icon = PromptIcon::Information);

// The chosen path (UTF-8), or nothing when the user cancelled.
std::optional<std::string> AskFileName(const FileNameRequest& request);

void SetMessageHandler(MessageHandler handler);
void SetFileNameHandler(FileNameHandler handler);

// The warning about a file a design names that cannot be found while it
// loads: format holds one "%s" for the file name of path. True when the user
// asked to be spared the rest of the load's warnings. Without a handler the
// warning is logged and the load goes on warning.
using LoadWarningHandler = std::function<bool(std::string_view format, std::string_view path)>;
bool ShowLoadWarning(std::string_view format, std::string_view path);
void SetLoadWarningHandler(LoadWarningHandler handler);

// While one exists, the messages and load warnings raised meanwhile wait
// instead of being shown, so that a reader can show them once it knows the
// file is whole: a refused file then raises only its refusal. A held message
// is answered as a message with an Ok button is; a held warning spares
// nothing. Questions (any buttons but Ok) are asked at once.
class CHeldPrompts {
public:
    CHeldPrompts();
    // Drops whatever is still held.
    ~CHeldPrompts();
    CHeldPrompts(const CHeldPrompts&) = delete;
    CHeldPrompts& operator=(const CHeldPrompts&) = delete;

    // Ends the hold and shows what it held, in order: each message text
    // once, and the load warnings until the user asks to be spared the rest.
    void Release();

private:
    friend PromptAnswer ShowMessageNow(std::string_view, PromptButtons, PromptIcon);

    struct Held {
        bool warning = false;
        MessageRequest message;  // the text is the warning's format for a warning
        std::string path;
    };
    void Restore();

    std::vector<Held> m_held;
    MessageHandler m_previousMessage;
    LoadWarningHandler m_previousWarning;
    CHeldPrompts* m_outer = nullptr;
    bool m_holding = true;
};

// A message shown at once, also while prompts are held: the reason a reader
// gives up on a file.
PromptAnswer ShowMessageNow(std::string_view text, PromptButtons buttons = PromptButtons::Ok,
                            PromptIcon icon = PromptIcon::Information);

// Installs handlers for the lifetime of a scope (tests), restoring the
// previous ones afterwards.
class CScopedPromptHandlers {
public:
    CScopedPromptHandlers(MessageHandler message, FileNameHandler fileName = {});
    ~CScopedPromptHandlers();
    CScopedPromptHandlers(const CScopedPromptHandlers&) = delete;
    CScopedPromptHandlers& operator=(const CScopedPromptHandlers&) = delete;

private:
    MessageHandler m_previousMessage;
    FileNameHandler m_previousFileName;
};
