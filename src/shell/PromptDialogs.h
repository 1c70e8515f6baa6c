#pragma once

#include <optional>
#include <string>

#include "foundation/Prompt.h"

// The real dialogs behind the prompt seam: message boxes and file dialogs
// over the program's top window, captioned with the program's name.

PromptAnswer ShowMessageDialog(const MessageRequest& request);

// The chosen path (UTF-8); nothing when cancelled. A name saved without an
// extension gets the filter's.
std::optional<std::string> ShowFileNameDialog(const FileNameRequest& request);

// Makes the two above the handlers of the prompt seam.
void InstallPromptDialogs();
