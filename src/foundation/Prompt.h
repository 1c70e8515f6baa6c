#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
