#pragma once

// theme, mask and stub: the Assets Manager's generators on the command line.
void RegisterGenerateCommands();
