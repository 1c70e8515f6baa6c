#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/Prompt.h"

// The real dialogs behind the prompt seam: message boxes and file dialogs
// over the program's top window, captioned with the program's name.

PromptAnswer ShowMessageDialog(const MessageRequest& request);

// The chosen path (UTF-8); nothing when cancelled. A name saved without an
// extension gets the filter's.
std::optional<std::string> ShowFileNameDialog(const FileNameRequest& request);

// The load warning with its box "忽略所有警告"; true when it was ticked.
bool ShowLoadWarningDialog(std::string_view format, std::string_view path);

// Makes the three above the handlers of the prompt seam, and the refine
// level dialog the answer to its question.
void InstallPromptDialogs();
