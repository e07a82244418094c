#include "host_session.h"

#include "text_lines.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace e2e {
namespace {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
  }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  return text;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

bool IsAbsolute(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// Makes `folder` and the folders above it.
void MakeFolders(const std::wstring& folder) {
  for (size_t at = folder.find_first_of(L"\\/", 3); at != std::wstring::npos;
       at = folder.find_first_of(L"\\/", at + 1)) {
    CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &found));
  if (find.get() != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find.get(), &found));
  }
  find.reset();
  RemoveDirectoryW(folder.c_str());
}

// One argument as CommandLineToArgvW reads it back: quoted when it holds a space, a tab or a quote
// (or is empty), backslashes before a quote and before the closing quote doubled.
std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      quoted.append(backslashes * 2 + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

std::string UniqueName() {
  static int counter = 0;
  return "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "-" +
         std::to_string(GetTickCount());
}

// GDI+ loaded and started for the lifetime of this object; its flat functions bound by name, so the
// harness links nothing more.
class GdiPlus {
 public:
  struct Rect {
    INT x, y, width, height;
  };
  struct BitmapData {
    UINT width, height;
    INT stride;
    INT pixelFormat;
    void* scan0;
    UINT_PTR reserved;
  };
  static constexpr INT kFormat32bppArgb = 0x26200A;
  static constexpr UINT kLockRead = 1;

  GdiPlus() : module_(LoadLibraryW(L"gdiplus.dll")) {
    struct StartupInput {
      UINT32 version;
      void* debugCallback;
      BOOL suppressBackgroundThread;
      BOOL suppressExternalCodecs;
    } input = {1, nullptr, FALSE, FALSE};
    using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
    Startup startup = Bind<Startup>("GdiplusStartup");
    bound_ = startup && Bind(createFromFile, "GdipCreateBitmapFromFile") &&
             Bind(dispose, "GdipDisposeImage") && Bind(width, "GdipGetImageWidth") &&
             Bind(height, "GdipGetImageHeight") && Bind(lockBits, "GdipBitmapLockBits") &&
             Bind(unlockBits, "GdipBitmapUnlockBits") && Bind(shutdown_, "GdiplusShutdown") &&
             startup(&token_, &input, nullptr) == 0;
  }
  ~GdiPlus() {
    if (bound_) shutdown_(token_);
    if (module_) FreeLibrary(module_);
  }
  GdiPlus(const GdiPlus&) = delete;
  GdiPlus& operator=(const GdiPlus&) = delete;

  bool Ready() const { return bound_; }

  int(WINAPI* createFromFile)(const wchar_t*, void**) = nullptr;
  int(WINAPI* dispose)(void*) = nullptr;
  int(WINAPI* width)(void*, UINT*) = nullptr;
  int(WINAPI* height)(void*, UINT*) = nullptr;
  int(WINAPI* lockBits)(void*, const Rect*, UINT, INT, BitmapData*) = nullptr;
  int(WINAPI* unlockBits)(void*, BitmapData*) = nullptr;

 private:
  template <typename Fn>
  Fn Bind(const char* name) const {
    // Through void (*)(), the type that casts to any function type without a warning.
    return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)))
                   : nullptr;
  }
  template <typename Fn>
  bool Bind(Fn& function, const char* name) const {
    function = Bind<Fn>(name);
    return function != nullptr;
  }

  HMODULE module_;
  bool bound_ = false;
  ULONG_PTR token_ = 0;
  void(WINAPI* shutdown_)(ULONG_PTR) = nullptr;
};

}  // namespace

std::string InCodePage(const std::string& utf8, unsigned codePage) {
  std::wstring wide = Wide(utf8);
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

std::string CfgBytes(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (char c : bytes) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      escaped += c;
    } else {
      escaped += "\\x";
      escaped += kHex[b >> 4];
      escaped += kHex[b & 0xF];
    }
  }
  return escaped;
}

std::optional<Picture> ReadPicture(const std::string& path) {
  GdiPlus gdiPlus;
  if (!gdiPlus.Ready()) {
    ADD_FAILURE() << "GDI+ cannot be used to read " << path;
    return std::nullopt;
  }
  void* rawImage = nullptr;
  if (gdiPlus.createFromFile(Wide(path).c_str(), &rawImage) != 0 || !rawImage) return std::nullopt;
  auto disposer = [&gdiPlus](void* image) { gdiPlus.dispose(image); };
  std::unique_ptr<void, decltype(disposer)> image(rawImage, disposer);
  UINT width = 0, height = 0;
  if (gdiPlus.width(image.get(), &width) != 0 || gdiPlus.height(image.get(), &height) != 0)
    return std::nullopt;
  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  GdiPlus::Rect all = {0, 0, picture.width, picture.height};
  GdiPlus::BitmapData data = {};
  if (gdiPlus.lockBits(image.get(), &all, GdiPlus::kLockRead, GdiPlus::kFormat32bppArgb, &data) != 0) {
    return std::nullopt;
  }
  for (int y = 0; y < picture.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.scan0) + y * data.stride);
    picture.pixels.insert(picture.pixels.end(), row, row + picture.width);
  }
  gdiPlus.unlockBits(image.get(), &data);
  return picture;
}

Lines SplitLines(const std::string& text) {
  return quorvel::test::SplitLines(text);
}

std::vector<std::string> HostRun::Lines() const {
  return SplitLines(output);
}

Lines StepOutput(const HostRun& run, const std::string& step) {
  const Lines lines = run.Lines();
  const auto begin = std::find(lines.begin(), lines.end(), "> " + step);
  if (begin == lines.end()) return {"(step " + step + " not run)"};
  const auto end = std::find_if(begin + 1, lines.end(), [](const std::string& line) {
    return line.rfind("> ", 0) == 0 || line == "host exits";
  });
  return Lines(begin + 1, end);
}

Lines WithPrefix(const Lines& lines, const std::string& prefix) {
  Lines found;
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  }
  return found;
}

bool HasLine(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string BuildFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return Utf8(path.substr(0, path.find_last_of(L"\\/") + 1));
}

std::string CfgValue(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

Installation::Installation() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  root_ = Utf8(temp) + UniqueName() + "\\";
  programFolder_ = root_ + "Becky\\";
  dataFolder_ = root_ + "Data\\";
  MakeFolders(Wide(programFolder_ + "PlugIns"));
  MakeFolders(Wide(dataFolder_ + "PlugIns"));
  UseHost("B2.exe");
}

Installation::~Installation() {
  RemoveTree(Wide(root_));
}

std::string Installation::Resolve(const std::string& path) const {
  return IsAbsolute(path) ? path : programFolder_ + path;
}

void Installation::UseHost(const std::string& builtExe, const std::string& installedName) {
  InstallBuilt(builtExe, programFolder_, installedName);
  if (installedName != "B2.exe") DeleteFileW(Wide(programFolder_ + "B2.exe").c_str());
  hostName_ = installedName;
}

void Installation::InstallBuilt(const std::string& builtFile, const std::string& folder,
                                const std::string& installedName) {
  std::string target = Resolve(folder);
  if (!target.empty() && target.back() != '\\') target += '\\';
  MakeFolders(Wide(target));
  if (!CopyFileW(Wide(BuildFolder() + builtFile).c_str(), Wide(target + installedName).c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << BuildFolder() + builtFile << " to " << target + installedName
                  << " (error " << GetLastError() << ")";
  }
}

void Installation::InstallTestPlugin(const std::string& folder, const std::string& fileName,
                                     const std::string& cfg, const std::string& builtFile) {
  InstallBuilt(builtFile, folder, fileName);
  std::string base = fileName.substr(0, fileName.find_last_of('.'));
  std::string target = Resolve(folder);
  if (!target.empty() && target.back() != '\\') target += '\\';
  WriteFile(target + base + ".cfg", cfg);
}

void Installation::WriteFile(const std::string& path, const std::string& bytes) const {
  std::wstring full = Wide(Resolve(path));
  size_t slash = full.find_last_of(L"\\/");
  if (slash != std::wstring::npos) MakeFolders(full.substr(0, slash));
  UniqueHandle file(
      CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file.get() == INVALID_HANDLE_VALUE ||
      !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    ADD_FAILURE() << "cannot write " << Resolve(path) << " (error " << GetLastError() << ")";
  }
}

std::string Installation::ReadFile(const std::string& path) const {
  return ReadWholeFile(Resolve(path));
}

std::string ReadWholeFile(const std::string& path) {
  UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (file.get() == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

bool Installation::FileExists(const std::string& path) const {
  return GetFileAttributesW(Wide(Resolve(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

HostRun Installation::Run(const std::vector<std::string>& arguments, int timeoutMs) const {
  HostRun run;
  std::vector<std::string> all = {"-data:" + dataFolder_, "-utf8"};
  bool noLoadPinGiven = false;
  for (const std::string& argument : arguments)
    noLoadPinGiven |= argument.rfind("-noloadpin", 0) == 0;
  if (!noLoadPinGiven) all.push_back("-noloadpin-none");
  all.insert(all.end(), arguments.begin(), arguments.end());

  std::wstring exe = Wide(programFolder_ + hostName_);
  std::wstring commandLine = QuoteArgument(exe);
  for (const std::string& argument : all)
    commandLine += L" " + QuoteArgument(Wide(argument));

  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE readRaw = nullptr;
  HANDLE writeRaw = nullptr;
  if (!CreatePipe(&readRaw, &writeRaw, &inheritable, 0)) {
    ADD_FAILURE() << "cannot make a pipe (error " << GetLastError() << ")";
    return run;
  }
  UniqueHandle readEnd(readRaw);
  UniqueHandle writeEnd(writeRaw);
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  UniqueHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                 OPEN_EXISTING, 0, nullptr));

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = writeEnd.get();
  startup.hStdError = writeEnd.get();
  PROCESS_INFORMATION process = {};
  std::wstring folder = Wide(programFolder_);
  // Now and then (about once in thousands of starts) Wine fails to start a process at all, with
  // ERROR_INTERNAL_ERROR; that is not what any test is about, so a start is tried three times.
  bool started = false;
  DWORD error = 0;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                             nullptr, folder.c_str(), &startup, &process);
    if (!started) error = GetLastError();
  }
  if (!started) {
    ADD_FAILURE() << "cannot start " << programFolder_ + hostName_ << " (error " << error << ")";
    return run;
  }
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  writeEnd.reset();  // only the host writes now

  // Polled rather than read to the end, so a process the host started that still holds the pipe
  // cannot keep the run waiting.
  auto drain = [&] {
    DWORD available = 0;
    while (PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      std::string chunk(available, '\0');
      DWORD got = 0;
      if (!::ReadFile(readEnd.get(), chunk.data(), available, &got, nullptr) || got == 0) return;
      run.output.append(chunk.data(), got);
    }
  };
  DWORD start = GetTickCount();
  for (;;) {
    drain();
    DWORD wait = WaitForSingleObject(processHandle.get(), 10);
    if (wait != WAIT_TIMEOUT) break;
    if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) {
      run.timedOut = true;
      TerminateProcess(processHandle.get(), 1);
      WaitForSingleObject(processHandle.get(), 10000);
      break;
    }
  }
  drain();
  DWORD exitCode = 0;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  run.exitCode = static_cast<int>(exitCode);
  return run;
}

}  // namespace e2e
