#include "host.h"

#include "crash_report.h"
#include "dialog_calls.h"
#include "dialog_description.h"
#include "files.h"
#include "no_load_pin.h"
#include "output.h"
#include "steps.h"
#include "text.h"
#include "trace.h"

#include <cwchar>

namespace b2host {
namespace {

// The time a step takes, and how much of it the plug-ins' code took, for benchmarks that drive the
// host.
class StepClock {
 public:
  StepClock() : inPlugIns_(PlugIn::MillisecondsInPlugIns()) { QueryPerformanceCounter(&start_); }
  std::wstring Report() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    wchar_t text[96];
    swprintf(text, 96, L"step took %.3f ms, plug-ins %.3f ms",
             1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
                 static_cast<double>(frequency.QuadPart),
             PlugIn::MillisecondsInPlugIns() - inPlugIns_);
    return text;
  }

 private:
  LARGE_INTEGER start_;
  double inPlugIns_;
};

Host* g_host = nullptr;
constexpr wchar_t kMainClassName[] = L"B2MainWindow";

}  // namespace

Host* RunningHost() {
  return g_host;
}

std::wstring DescribeWindow(HWND window) {
  return g_host ? g_host->Describe(window) : Hex(0);
}
std::wstring DescribeMenu(HMENU menu) {
  return g_host ? g_host->Describe(menu) : Hex(0);
}

Host::Host(Options options) : options_(std::move(options)) {
  g_host = this;
  layout_.language = options_.menuLanguage;
  layout_.toolMenu = options_.toolMenu;
  layout_.aboutItem = options_.aboutItem;
  programFolder_ = ProgramFolder();
  dataFolder_ = FolderPath(options_.dataFolder.empty() ? programFolder_ : options_.dataFolder);
  version_ = UnescapeToAnsi(options_.version);
  dataFolderAnsi_ = ToAnsi(dataFolder_);
}

Host::~Host() {
  composes_.clear();
  mainWindow_.reset();
  plugIns_.clear();
  watcher_.reset();
  g_host = nullptr;
}

int Host::Run() {
  PrintInUtf8(options_.utf8);
  EnableTrace(options_.trace);
  bool failed = false;
  for (const std::wstring& problem : options_.problems) {
    PrintLine(problem);
    failed = true;
  }
  ReportCrashes([](const void* address) {
    return g_host ? g_host->texts_.DescribeTakenBack(address) : std::wstring();
  });
  if (!ApplyNoLoadPinOption(options_)) failed = true;
  if (!CreateMainWindow()) {
    PrintLine(L"cannot create the main window");
    return 1;
  }
  // Before any plug-in is loaded: DllMain may already show a message box.
  watcher_ = std::make_unique<MessageBoxWatcher>([this](HWND owner) { return DescribeOwner(owner); });
  if (!watcher_->Installed()) PrintLine(L"cannot watch for message boxes");
  watcher_->SetStepRunner([this](const std::wstring& step) { return RunStep(*this, step); });
  LoadPlugIns();
  Pump();
  for (const std::wstring& step : options_.steps) {
    if (exited_) break;
    PrintLine(L"> " + step);
    const StepClock clock;
    if (!RunStep(*this, step)) failed = true;
    Pump();
    if (options_.times) PrintLine(clock.Report());
  }
  if (!exited_) Exit();
  if (watcher_->DialogActionFailed() || watcher_->StepInBoxFailed()) failed = true;
  if (texts_.ContractBroken()) return kBrokenContractExitCode;
  return failed ? 2 : 0;
}

bool Host::CreateMainWindow() {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Host::MainProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainClassName;
  if (!RegisterClassExW(&windowClass)) return false;
  UniqueMenu menuBar = BuildMainMenuBar(layout_);
  mainWindow_.reset(CreateWindowExW(0, kMainClassName, L"B2", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                    menuBar.get(), GetModuleHandleW(nullptr), nullptr));
  if (!mainWindow_) return false;
  menuBar.release();  // the window owns it now
  ShowWindow(mainWindow_.get(), SW_SHOWNORMAL);
  UpdateWindow(mainWindow_.get());
  return true;
}

void Host::LoadPlugIns() {
  std::wstring noLoadPin = ReadNoLoadPin();
  std::wstring programPlugIns = programFolder_ + L"PlugIns\\";
  std::wstring dataPlugIns = dataFolder_ + L"PlugIns\\";
  LoadFolder(programPlugIns, noLoadPin);
  if (!EqualsIgnoringCase(programPlugIns, dataPlugIns)) LoadFolder(dataPlugIns, noLoadPin);
}

void Host::LoadFolder(const std::wstring& folder, const std::wstring& noLoadPin) {
  for (const std::wstring& name : DllFileNames(folder)) {
    if (IsPinnedOut(noLoadPin, name)) {
      PrintLine(L"not loaded (NoLoadPin): " + name);
      continue;
    }
    std::unique_ptr<PlugIn> plugIn = PlugIn::Load(folder, name);
    if (!plugIn) {
      PrintLine(L"cannot load " + name);
      continue;
    }
    PrintLine(L"loaded plug-in " + name);
    plugIns_.push_back(std::move(plugIn));
  }
}

PlugIn* Host::FindPlugIn(const std::wstring& fileName) const {
  for (const auto& plugIn : plugIns_) {
    if (EqualsIgnoringCase(plugIn->FileName(), fileName)) return plugIn.get();
  }
  return nullptr;
}

PlugIn* Host::PlugInAt(const void* address) const {
  HMODULE module = nullptr;
  if (!address || !GetModuleHandleExW(
                      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      static_cast<LPCWSTR>(address), &module)) {
    return nullptr;
  }
  for (const auto& plugIn : plugIns_) {
    if (plugIn->Module() == module) return plugIn.get();
  }
  return nullptr;
}

ComposeWindow* Host::CurrentCompose() const {
  return composes_.empty() ? nullptr : composes_.back().get();
}

ComposeWindow* Host::OpenCompose() {
  std::unique_ptr<ComposeWindow> compose = ComposeWindow::Open(layout_);
  if (!compose) return nullptr;
  composes_.push_back(std::move(compose));
  return composes_.back().get();
}

void Host::CloseCompose(ComposeWindow* compose) {
  // Destroying the window ends in ForgetCompose, which drops the object.
  DestroyWindow(compose->Window());
}

void Host::ForgetCompose(ComposeWindow* compose) {
  for (auto it = composes_.begin(); it != composes_.end(); ++it) {
    if (it->get() == compose) {
      composes_.erase(it);
      return;
    }
  }
}

void Host::OnMenuCommand(HWND window, UINT id) {
  const Command* command = commands_.Find(id);
  if (!command) {
    PrintLine(L"host command " + std::to_wstring(id));
    return;
  }
  if (!command->callback) return;
  if (command->owner) {
    command->owner->RunCommand(id, command->callback, window);
  } else {
    command->callback(window, 0);
  }
}

std::wstring Host::WindowsLine() const {
  auto state = [](HWND window) { return IsWindowEnabled(window) ? L" enabled" : L" disabled"; };
  std::wstring line = L"windows: main window" + std::wstring(state(MainWindow()));
  for (const auto& compose : composes_)
    line += L", compose window" + std::wstring(state(compose->Window()));
  return line;
}

std::wstring Host::DescribeOwner(HWND owner) const {
  if (!owner) return L"none";
  if (owner == MainWindow()) return L"main window";
  if (ComposeWindow::Of(owner)) return L"compose window";
  wchar_t className[16] = {};
  if (IsWatchedDialog(owner) ||
      (GetClassNameW(owner, className, 16) && std::wstring_view(className) == L"#32770")) {
    return L"dialog " + QuotedWide(WindowText(owner));
  }
  return L"other";
}

std::wstring Host::Describe(HWND window) const {
  if (!window) return L"0";
  if (window == MainWindow()) return L"main window";
  if (ComposeWindow::Of(window)) return L"compose window";
  return Hex(reinterpret_cast<ULONG_PTR>(window));
}

std::wstring Host::Describe(HMENU menu) const {
  if (!menu) return L"0";
  if (MainWindow() && menu == GetMenu(MainWindow())) return L"main menu bar";
  for (const auto& compose : composes_) {
    if (menu == compose->MenuBar()) return L"compose menu bar";
  }
  return Hex(reinterpret_cast<ULONG_PTR>(menu));
}

void Host::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Host::Wait(DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    Pump();
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

void Host::Exit() {
  if (exited_) return;
  exited_ = true;
  for (const auto& plugIn : plugIns_)
    plugIn->OnExit();
  // Windows go before the modules: a plug-in may have subclassed them with code of its own.
  composes_.clear();
  mainWindow_.reset();
  Pump();
  while (!plugIns_.empty())
    plugIns_.pop_back();
  texts_.ReportNotGivenBack();
  PrintLine(L"host exits");
}

LRESULT CALLBACK Host::MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (g_host) g_host->OnMenuCommand(window, LOWORD(wParam));
      return 0;
    case WM_NCDESTROY:
      if (g_host && g_host->mainWindow_.get() == window) g_host->mainWindow_.release();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace b2host
