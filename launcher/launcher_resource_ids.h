// Resource ids of Corvane.exe, shared by launcher.rc and the code.
#pragma once

#define IDI_LAUNCHER 1
