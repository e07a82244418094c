// The functions the host exports to plug-ins (stdcall, undecorated names from the .def file). Only
// these have behaviour; the other exported names are stubs generated at configure time. Texts that
// plug-ins get are lent under the rules of lent_texts.h.
#pragma once

#include <windows.h>

#include "plugin_api.h"

extern "C" {
LPCSTR WINAPI BKA_GetVersion();
int WINAPI BKA_Command(HWND window, LPCSTR command);
int WINAPI BKA_RegisterCommand(LPCSTR description, int windowType, b2host::CommandCallback callback);
LPCSTR WINAPI BKA_GetDataFolder();
LPCSTR WINAPI BKA_GetCurrentMail();
LPCSTR WINAPI BKA_GetSource(LPCSTR mailId);
void WINAPI BKA_Free(LPVOID memory);
int WINAPI BKA_CompGetSpecifiedHeader(HWND window, LPCSTR headerName, LPSTR buffer, int size);
int WINAPI BKA_CompSetSpecifiedHeader(HWND window, LPCSTR headerName, LPCSTR value);
}
