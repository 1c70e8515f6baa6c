#pragma once

class CMainFrame;

// Start-up without a design on the command line: the design manager over the
// main frame until the user starts, opens or leaves.
void RunStartupFlow(CMainFrame& frame);

// The menu's way back to the design manager from a running design.
void RunBackToMainMenu(CMainFrame& frame);
