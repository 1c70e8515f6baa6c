#pragma once

// The program speaks Traditional Chinese in any locale: its own texts are
// Chinese, and so are the toolkit's (the file chooser, stock buttons and
// message boxes of GTK and wxWidgets) through their zh_TW catalogues.
// Numbers keep the C locale, so files and edits keep their '.'.

// The process locale: the user's for everything but messages (Chinese) and
// numbers (C).
void SetProgramLocale();

// Keeps GTK from taking the user's locale for every category again when it
// starts; before the toolkit starts.
void KeepLocaleThroughToolkitStart();

// wxWidgets' own texts from its zh_TW catalogue; after the toolkit started.
void UseChineseToolkitTexts();
