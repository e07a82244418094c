#include "steps.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "dialog_actions.h"
#include "files.h"
#include "host.h"
#include "output.h"
#include "text.h"
#include "text_lines.h"

namespace b2host {
namespace {

enum class Parameter { kNone, kOptional, kRequired };

using StepFunction = bool (*)(Host& host, const std::wstring& parameter);

struct StepKind {
  const wchar_t* name;
  Parameter parameter;
  StepFunction run;
};

ComposeWindow* CurrentComposeOrSay(Host& host) {
  ComposeWindow* compose = host.CurrentCompose();
  if (!compose) PrintLine(L"no compose window");
  return compose;
}

// "Name=Value" with escapes in both parts.
bool ParseHeader(const std::wstring& text, std::string& name, std::string& value) {
  size_t equals = text.find(L'=');
  if (equals == std::wstring::npos || equals == 0) return false;
  name = UnescapeToAnsi(text.substr(0, equals));
  value = UnescapeToAnsi(text.substr(equals + 1));
  return true;
}

using quorvel::test::SplitLines;

bool Start(Host& host, const std::wstring&) {
  HWND main = host.MainWindow();
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnMenuInit(main, GetMenu(main), kMainWindowType);
  DrawMenuBar(main);
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnStart();
  return true;
}

bool Compose(Host& host, const std::wstring& parameter) {
  std::vector<std::pair<std::string, std::string>> headers;
  if (!parameter.empty()) {
    for (const std::wstring& piece : SplitUnescaped(parameter, L'|')) {
      if (piece.empty()) continue;
      std::string name, value;
      if (!ParseHeader(piece, name, value)) {
        PrintLine(L"not a header: " + piece);
        return false;
      }
      headers.emplace_back(name, value);
    }
  }
  ComposeWindow* compose = host.OpenCompose();
  if (!compose) {
    PrintLine(L"cannot open a compose window");
    return false;
  }
  for (const auto& [name, value] : headers)
    compose->SetHeader(name, value);
  HWND window = compose->Window();
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnMenuInit(window, GetMenu(window), kComposeWindowType);
  DrawMenuBar(window);
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnOpenCompose(window, 0);
  return true;
}

bool SetHeaderStep(Host& host, const std::wstring& parameter) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  std::string name, value;
  if (!ParseHeader(parameter, name, value)) {
    PrintLine(L"not a header: " + parameter);
    return false;
  }
  compose->SetHeader(name, value);
  return true;
}

bool Send(Host& host, const std::wstring&) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  HWND window = compose->Window();
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnOutgoing(window, 0);
  compose = ComposeWindow::Of(window);  // a plug-in may have closed it
  if (!compose) {
    PrintLine(L"the compose window was closed while sending");
    return false;
  }
  PrintLine(L"sent message:");
  for (const Header& header : compose->Headers()) {
    std::vector<std::string> lines = SplitLines(header.name + ": " + header.value);
    for (const std::string& line : lines)
      PrintLine(L"  " + FromAnsi(line));
  }
  PrintLine(L"  ");
  for (const std::string& line : SplitLines(compose->Body()))
    PrintLine(L"  " + FromAnsi(line));
  return true;
}

bool PrintHeaders(Host& host, const std::wstring&) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  for (const Header& header : compose->Headers()) {
    PrintLine(L"  " + EscapeAnsi(header.name) + L": " + QuotedAnsi(header.value));
  }
  return true;
}

bool PrintBody(Host& host, const std::wstring&) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  PrintLine(L"  body: " + QuotedAnsi(compose->Body()));
  return true;
}

bool Close(Host& host, const std::wstring&) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  host.CloseCompose(compose);
  return true;
}

bool Retrieve(Host& host, const std::wstring& parameter) {
  bool allRead = true;
  std::vector<std::pair<std::string, std::string>> mails;  // text, id
  for (const std::wstring& file : Split(parameter, L',')) {
    std::wstring path = ResolveAgainst(host.ProgramFolderPath(), file);
    std::string text;
    if (!ReadWholeFile(path, text)) {
      PrintLine(L"cannot read " + file);
      allRead = false;
      continue;
    }
    mails.emplace_back(std::move(text), host.Mails().Remember(path));
  }
  for (const auto& [text, id] : mails) {
    for (const auto& plugIn : host.PlugIns())
      plugIn->OnRetrieve(text, id);
  }
  for (const auto& plugIn : host.PlugIns())
    plugIn->OnFinishRetrieve(static_cast<int>(mails.size()));
  return allRead;
}

bool Mail(Host& host, const std::wstring& parameter) {
  if (parameter.empty()) {
    host.Mails().SetCurrent("");
    return true;
  }
  std::wstring path = ResolveAgainst(host.ProgramFolderPath(), parameter);
  std::string text;
  if (!ReadWholeFile(path, text)) {
    PrintLine(L"cannot read " + parameter);
    return false;
  }
  host.Mails().SetCurrent(host.Mails().Remember(path));
  return true;
}

bool ChooseIn(HWND window, const std::wstring& path) {
  std::optional<MenuChoice> choice = FindMenuItem(GetMenu(window), path);
  if (!choice) {
    PrintLine(L"menu item not found: " + path);
    return true;
  }
  if (!choice->enabled) {
    PrintLine(L"menu item disabled: " + path);
    return true;
  }
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(choice->id, 0), 0);
  return true;
}

bool Choose(Host& host, const std::wstring& parameter) {
  return ChooseIn(host.MainWindow(), parameter);
}

bool ChooseCompose(Host& host, const std::wstring& parameter) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  return compose && ChooseIn(compose->Window(), parameter);
}

bool Menus(Host& host, const std::wstring&) {
  PrintMenuTree(GetMenu(host.MainWindow()), L"main window menu:", host.Commands());
  return true;
}

bool ComposeMenus(Host& host, const std::wstring&) {
  ComposeWindow* compose = CurrentComposeOrSay(host);
  if (!compose) return false;
  PrintMenuTree(compose->MenuBar(), L"compose window menu:", host.Commands());
  return true;
}

bool Commands(Host& host, const std::wstring&) {
  for (const Command& command : host.Commands().All()) {
    PrintLine(L"  " + std::to_wstring(command.id) + L" " + QuotedAnsi(command.description) +
              L" window type " + std::to_wstring(command.windowType) + L" by " + command.ownerName);
  }
  return true;
}

// A field of the info record up to its first NUL or its full width, and whether every byte after
// that NUL is still zero.
std::string InfoField(const char* field, size_t width, bool& restZero) {
  size_t length = strnlen(field, width);
  for (size_t i = length; i < width; ++i) {
    if (field[i] != 0) restZero = false;
  }
  return std::string(field, length);
}

bool Info(Host& host, const std::wstring&) {
  for (const auto& plugIn : host.PlugIns()) {
    if (!plugIn->Has(Export::kOnPlugInInfo)) {
      PrintLine(L"  " + plugIn->FileName() + L": no BKC_OnPlugInInfo");
      continue;
    }
    // Room past the record shows a plug-in that writes beyond it.
    constexpr size_t kGuard = 64;
    struct {
      PlugInInfo info;
      char guard[kGuard];
    } record;
    std::memset(&record, 0, sizeof record);
    plugIn->OnPlugInInfo(&record.info);
    bool restZero = true;
    const PlugInInfo& info = record.info;
    std::wstring line = L"  " + plugIn->FileName() + L": name " +
                        QuotedAnsi(InfoField(info.name, sizeof info.name, restZero)) + L" vendor " +
                        QuotedAnsi(InfoField(info.vendor, sizeof info.vendor, restZero)) + L" version " +
                        QuotedAnsi(InfoField(info.version, sizeof info.version, restZero)) +
                        L" description " +
                        QuotedAnsi(InfoField(info.description, sizeof info.description, restZero));
    line += restZero ? L" (bytes after the texts are zero)" : L" (bytes after the texts are not zero)";
    for (char c : record.guard) {
      if (c != 0) {
        line += L" (bytes past the record were written)";
        break;
      }
    }
    PrintLine(line);
  }
  return true;
}

std::wstring NeverPart(const wchar_t* name, std::optional<LPCSTR> first, std::optional<LPCSTR> second) {
  std::wstring part = name;
  if (!first) return part + L" absent";
  part += *first ? L" " + QuotedAnsi(*first) : std::wstring(L" null");
  return part + L" (same address: " + (*first == *second ? L"yes" : L"no") + L")";
}

bool Never(Host& host, const std::wstring&) {
  for (const auto& plugIn : host.PlugIns()) {
    if (!plugIn->Has(Export::kNeverPrecede) && !plugIn->Has(Export::kNeverFollow)) continue;
    std::optional<LPCSTR> precede1 = plugIn->NeverPrecede();
    std::optional<LPCSTR> precede2 = plugIn->NeverPrecede();
    std::optional<LPCSTR> follow1 = plugIn->NeverFollow();
    std::optional<LPCSTR> follow2 = plugIn->NeverFollow();
    PrintLine(L"  " + plugIn->FileName() + L": " + NeverPart(L"NeverPrecede", precede1, precede2) + L" " +
              NeverPart(L"NeverFollow", follow1, follow2));
  }
  return true;
}

bool Setup(Host& host, const std::wstring& parameter) {
  PlugIn* plugIn = host.FindPlugIn(parameter);
  if (!plugIn) {
    PrintLine(L"no plug-in " + parameter);
    return false;
  }
  std::optional<int> result = plugIn->OnPlugInSetup(host.MainWindow());
  if (!result) {
    PrintLine(L"no BKC_OnPlugInSetup in " + parameter);
    return false;
  }
  PrintLine(L"setup returned " + std::to_wstring(*result));
  return true;
}

bool SetClipboard(Host& host, const std::wstring& parameter) {
  std::string text = UnescapeToAnsi(parameter);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (memory) {
    if (void* bytes = GlobalLock(memory.get())) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(memory.get());
      ClipboardLock lock(host.MainWindow());
      if (lock.IsOpen() && EmptyClipboard() && SetClipboardData(CF_TEXT, memory.get())) {
        memory.release();  // the clipboard owns it now
        return true;
      }
    }
  }
  PrintLine(L"cannot set the clipboard");
  return false;
}

bool PrintClipboard(Host& host, const std::wstring&) {
  std::string text;
  PrintLine(ReadClipboardText(host.MainWindow(), text) ? L"clipboard: " + QuotedAnsi(text)
                                                       : std::wstring(L"clipboard: no text"));
  return true;
}

bool PrintFile(Host& host, const std::wstring& parameter) {
  std::string bytes;
  const bool read = ReadWholeFile(ResolveAgainst(host.ProgramFolderPath(), parameter), bytes);
  PrintLine(L"file " + parameter + L": " + (read ? QuotedAnsi(bytes) : std::wstring(L"none")));
  return true;
}

// As a user or another program would, between two of the plug-ins' calls.
bool DeleteFileStep(Host& host, const std::wstring& parameter) {
  const std::wstring path = ResolveAgainst(host.ProgramFolderPath(), parameter);
  if (DeleteFileW(path.c_str())) return true;
  PrintLine(L"cannot delete " + parameter);
  return false;
}

bool Windows(Host& host, const std::wstring&) {
  PrintLine(host.WindowsLine());
  return true;
}

bool PumpStep(Host& host, const std::wstring&) {
  host.Pump();
  return true;
}

bool WaitStep(Host& host, const std::wstring& parameter) {
  wchar_t* end = nullptr;
  unsigned long milliseconds = wcstoul(parameter.c_str(), &end, 10);
  if (parameter.empty() || *end != L'\0') {
    PrintLine(L"not a number of milliseconds: " + parameter);
    return false;
  }
  host.Wait(static_cast<DWORD>(milliseconds));
  return true;
}

bool Answer(Host& host, const std::wstring& parameter) {
  if (!MessageBoxWatcher::IsButtonName(parameter)) {
    PrintLine(L"not a button: " + parameter);
    return false;
  }
  host.Watcher().QueueAnswer(parameter);
  return true;
}

bool StepInBox(Host& host, const std::wstring& parameter) {
  // Exiting would unload the plug-in whose box is still open, its code on the stack.
  if (parameter == L"exit") {
    PrintLine(L"cannot exit inside a box");
    return false;
  }
  host.Watcher().QueueStepInBox(parameter);
  return true;
}

bool DialogStep(Host& host, const std::wstring& parameter) {
  std::wstring problem;
  std::optional<std::vector<DialogAction>> actions = ParseDialogActions(parameter, problem);
  if (!actions) {
    PrintLine(L"not a dialog action: " + problem);
    return false;
  }
  for (DialogAction& action : *actions) {
    if (action.kind == DialogAction::Kind::kScreenshot) {
      action.path = ResolveAgainst(host.ProgramFolderPath(), action.text);
    }
  }
  host.Watcher().QueueDialog(std::move(*actions));
  return true;
}

bool ExitStep(Host& host, const std::wstring&) {
  host.Exit();
  return true;
}

const StepKind kSteps[] = {
    {L"start", Parameter::kNone, &Start},
    {L"compose", Parameter::kOptional, &Compose},
    {L"header", Parameter::kRequired, &SetHeaderStep},
    {L"send", Parameter::kNone, &Send},
    {L"headers", Parameter::kNone, &PrintHeaders},
    {L"body", Parameter::kNone, &PrintBody},
    {L"close", Parameter::kNone, &Close},
    {L"retrieve", Parameter::kRequired, &Retrieve},
    {L"mail", Parameter::kOptional, &Mail},
    {L"choose", Parameter::kRequired, &Choose},
    {L"choose-compose", Parameter::kRequired, &ChooseCompose},
    {L"menus", Parameter::kNone, &Menus},
    {L"compose-menus", Parameter::kNone, &ComposeMenus},
    {L"commands", Parameter::kNone, &Commands},
    {L"info", Parameter::kNone, &Info},
    {L"never", Parameter::kNone, &Never},
    {L"setup", Parameter::kRequired, &Setup},
    {L"clipboard", Parameter::kRequired, &SetClipboard},
    {L"print-clipboard", Parameter::kNone, &PrintClipboard},
    {L"print-file", Parameter::kRequired, &PrintFile},
    {L"delete-file", Parameter::kRequired, &DeleteFileStep},
    {L"windows", Parameter::kNone, &Windows},
    {L"pump", Parameter::kNone, &PumpStep},
    {L"wait", Parameter::kRequired, &WaitStep},
    {L"answer", Parameter::kRequired, &Answer},
    {L"in-box", Parameter::kRequired, &StepInBox},
    {L"dialog", Parameter::kRequired, &DialogStep},
    {L"exit", Parameter::kNone, &ExitStep},
};

}  // namespace

bool RunStep(Host& host, const std::wstring& step) {
  size_t colon = step.find(L':');
  std::wstring name = step.substr(0, colon);
  bool hasParameter = colon != std::wstring::npos;
  std::wstring parameter = hasParameter ? step.substr(colon + 1) : std::wstring();
  for (const StepKind& kind : kSteps) {
    if (name != kind.name) continue;
    if ((kind.parameter == Parameter::kNone && hasParameter) ||
        (kind.parameter == Parameter::kRequired && !hasParameter)) {
      break;
    }
    return kind.run(host, parameter);
  }
  PrintLine(L"unknown step: " + step);
  return false;
}

}  // namespace b2host
