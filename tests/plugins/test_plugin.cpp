// TestPlugin.dll: a plug-in standing for another vendor's, for tests of the host and of the module.
// What it does is read at load from the .cfg file beside it (see config.h and README.md).
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "config.h"
#include "host_link.h"
#include "menu_groups.h"
#include "plugin_log.h"
#include "test_dialog.h"

namespace testplugin {
namespace {

Config g_config;
HWND g_mainWindow = nullptr;

#ifndef TEST_PLUGIN_WITHOUT_INFO
[[noreturn]] __attribute__((noinline)) void ThrowOwnException() {
  throw std::runtime_error("its own exception");
}
#endif

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
std::vector<std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>> g_bitmaps;

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct GlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

std::wstring ConfigPath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring text(path, n);
  size_t dot = text.find_last_of(L'.');
  size_t slash = text.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) text.resize(dot);
  return text + L".cfg";
}

std::string ReadFileBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (file.get() == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

void MaybeShowBox(const char* when, HWND owner) {
  if (g_config.boxOn != when) return;
  if (!g_config.boxText.empty() || !g_config.boxCaption.empty()) {
    int answer = MessageBoxA(owner, g_config.boxText.c_str(), g_config.boxCaption.c_str(), g_config.boxType);
    Log("box answered " + std::to_string(answer));
  }
  if (!g_config.dialog.caption.empty()) {
    Log("dialog ended " + std::to_string(ShowDialog(owner, g_config.dialog)));
  }
}

void SetClipboardText(const std::string& text) {
  std::unique_ptr<void, GlobalFreer> memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  void* bytes = memory ? GlobalLock(memory.get()) : nullptr;
  if (!bytes) return;
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory.get());
  if (!OpenClipboard(nullptr)) return;
  if (EmptyClipboard() && SetClipboardData(CF_TEXT, memory.get())) memory.release();  // the clipboard owns it
  CloseClipboard();
}

// Memory of the plug-in's own, for free-source=foreign.
char g_notTheHosts[16];

void ReportMail() {
  const HostLink* host = Host();
  if (!host) return;
  const std::string& misuse = g_config.freeSource;
  // The text of BKA_GetCurrentMail lasts only until the next host API call, so it is copied first.
  LPCSTR current = host->getCurrentMail();
  const std::string id = current;
  Log("current mail " + id);
  LPCSTR source = host->getSource(misuse == "stale-id" ? current : id.c_str());
  if (misuse == "early") host->free(const_cast<char*>(source));
  Log("source " + std::to_string(std::strlen(source)) + " bytes");
  if (misuse == "foreign") host->free(g_notTheHosts);
  if (misuse == "never" || misuse == "early") return;
  host->free(const_cast<char*>(source));
  if (misuse == "twice") host->free(const_cast<char*>(source));
}

void RunCommand(const std::string& description, HWND window) {
  Log("command " + description);
  if (g_config.reportHost) ReportMail();
  MaybeShowBox("command", window);
}

void WINAPI MainCommand(HWND window, LPARAM) {
  RunCommand(g_config.command, window);
}
void WINAPI ComposeCommand(HWND window, LPARAM) {
  RunCommand(g_config.composeCommand, window);
}

void AddCommand(HMENU menuBar, const std::string& description, int windowType, CommandCallback callback) {
  const HostLink* host = Host();
  if (!host) {
    Log("no host API");
    return;
  }
  int id = host->registerCommand(description.c_str(), windowType, callback);
  HMENU popup = ToolPopup(menuBar, g_config);
  if (!popup) return;
  AppendMenuA(popup, MF_STRING | (g_config.commandGrayed ? MF_GRAYED : 0), static_cast<UINT_PTR>(id),
              description.c_str());
  if (g_config.commandBitmap) {
    static const WORD kBits[16] = {};
    HBITMAP bitmap = CreateBitmap(13, 13, 1, 1, kBits);
    if (bitmap) {
      g_bitmaps.emplace_back(bitmap);
      SetMenuItemBitmaps(popup, static_cast<UINT>(id), MF_BYCOMMAND, bitmap, nullptr);
    }
  }
}

void Stamp(HWND window) {
  const HostLink* host = Host();
  if (!host) {
    Log("no host API");
    return;
  }
  int size = g_config.stampBufferSize > 0 ? g_config.stampBufferSize : 1;
  std::vector<char> buffer(size + 1, '\0');
  host->compGetSpecifiedHeader(window, "X-Mailer-Plugin", buffer.data(), size);
  std::string value(buffer.data());
  value = value.empty() ? g_config.stamp : value + ",\r\n\t" + g_config.stamp;
  host->compSetSpecifiedHeader(window, "X-Mailer-Plugin", value.c_str());
}

#ifndef TEST_PLUGIN_WITHOUT_INFO
void CopyField(char* field, size_t width, const std::optional<std::string>& text) {
  if (!text) return;
  size_t length = text->size() < width ? text->size() : width;
  std::memcpy(field, text->data(), length);
  if (length < width) field[length] = '\0';
}
#endif

}  // namespace
}  // namespace testplugin

using namespace testplugin;

struct PlugInInfoRecord {
  char name[80];
  char vendor[80];
  char version[80];
  char description[256];
};

// The info-convention, read by the 32-bit export BKC_OnPlugInInfo.
extern "C" int g_infoArgumentBytes asm("testplugin_info_argument_bytes");
int g_infoArgumentBytes = 4;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_config = ParseConfig(ReadFileBytes(ConfigPath(instance)));
    g_infoArgumentBytes = g_config.infoArgumentBytes;
    SetLog(g_config.logPath, g_config.tag);
    Log("attach");
    if (!g_config.unknownKeys.empty()) Log("unknown keys " + g_config.unknownKeys);
    MaybeShowBox("attach", nullptr);
  } else if (reason == DLL_PROCESS_DETACH) {
    Log("detach");
    if (g_config.fault == "detach") {
      volatile std::uintptr_t address = 0;
      *reinterpret_cast<volatile int*>(address) = 1;
    }
  }
  return TRUE;
}

int WINAPI BKC_OnStart() {
  Log("BKC_OnStart");
  if (g_config.reportHost) {
    if (const HostLink* host = Host()) {
      Log(std::string("version ") + host->getVersion());
      Log(std::string("data folder ") + host->getDataFolder());
    } else {
      Log("no host API");
    }
  }
  if (g_config.finishMakerGroup && g_mainWindow) FinishMakerGroup(GetMenu(g_mainWindow), g_config);
  MaybeShowBox("start", g_mainWindow);
  return 0;
}

int WINAPI BKC_OnExit() {
  Log("BKC_OnExit");
  return 0;
}

int WINAPI BKC_OnMenuInit(HWND window, HMENU menuBar, int windowType) {
  Log("BKC_OnMenuInit " + std::to_string(windowType));
  if (windowType == 0) {
    g_mainWindow = window;
    AddMenuGroups(menuBar, g_config);
    if (!g_config.command.empty()) AddCommand(menuBar, g_config.command, 0, &MainCommand);
  } else if (windowType == 10 && !g_config.composeCommand.empty()) {
    AddCommand(menuBar, g_config.composeCommand, 10, &ComposeCommand);
  }
  return 0;
}

int WINAPI BKC_OnOpenCompose(HWND window, int mode) {
  Log("BKC_OnOpenCompose " + std::to_string(mode));
  if (g_config.pasteOnOpen) {
    if (const HostLink* host = Host()) host->command(window, "EditPaste");
    if (g_config.clipboardAfterPaste) SetClipboardText(*g_config.clipboardAfterPaste);
  }
  return 0;
}

int WINAPI BKC_OnOutgoing(HWND window, int mode) {
  Log("BKC_OnOutgoing " + std::to_string(mode));
  if (!g_config.stamp.empty()) Stamp(window);
  return 0;
}

int WINAPI BKC_OnRetrieve(LPCSTR, LPCSTR mailId) {
  Log(std::string("BKC_OnRetrieve ") + (mailId ? mailId : "(null)"));
  return 0;
}

int WINAPI BKC_OnFinishRetrieve(int count) {
  Log("BKC_OnFinishRetrieve " + std::to_string(count));
  return 0;
}

int WINAPI BKC_OnPlugInSetup(HWND window) {
  Log("BKC_OnPlugInSetup");
  MaybeShowBox("setup", window);
  return g_config.setupResult;
}

#ifndef TEST_PLUGIN_WITHOUT_INFO
// What BKC_OnPlugInInfo does, whatever calling convention its export shows.
__attribute__((used)) int FillPlugInInfo(PlugInInfoRecord* info) asm("testplugin_fill_info");
int FillPlugInInfo(PlugInInfoRecord* info) {
  Log("BKC_OnPlugInInfo");
  if (g_config.fault == "info") {
    // Read through a volatile so the compiler cannot turn the faulting write into a trap of its own.
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
  } else if (g_config.fault == "caught") {
    // An exception that the plug-in handles itself. On x64 it travels as a structured exception
    // through the system's dispatcher, which must find the plug-in's own handler first.
    try {
      ThrowOwnException();
    } catch (const std::runtime_error& error) {
      Log(std::string("caught ") + error.what());
    }
  }
  CopyField(info->name, sizeof info->name, g_config.name);
  CopyField(info->vendor, sizeof info->vendor, g_config.vendor);
  CopyField(info->version, sizeof info->version, g_config.version);
  CopyField(info->description, sizeof info->description, g_config.description);
  return 1;
}

#if defined(__i386__)
// The export calls FillPlugInInfo, then returns the way info-convention asks: removing its 4 bytes
// of argument (stdcall, as the plug-in interface says), none (as a cdecl function would) or 8 (as a
// stdcall function of two arguments would).
__attribute__((naked)) int WINAPI BKC_OnPlugInInfo(PlugInInfoRecord*) {
  asm("pushl 4(%esp)\n\t"
      "call testplugin_fill_info\n\t"
      "addl $4, %esp\n\t"
      "movl testplugin_info_argument_bytes, %ecx\n\t"
      "testl %ecx, %ecx\n\t"
      "jz 1f\n\t"
      "cmpl $8, %ecx\n\t"
      "je 2f\n\t"
      "ret $4\n"
      "1:\n\t"
      "ret\n"
      "2:\n\t"
      "ret $8");
}
#else
// x64 has one calling convention, in which the caller removes the arguments.
int WINAPI BKC_OnPlugInInfo(PlugInInfoRecord* info) {
  return FillPlugInInfo(info);
}
#endif
#endif

LPCSTR WINAPI NeverPrecede() {
  Log("NeverPrecede");
  return g_config.neverPrecede.c_str();
}

LPCSTR WINAPI NeverFollow() {
  Log("NeverFollow");
  return g_config.neverFollow.c_str();
}

}  // extern "C"
