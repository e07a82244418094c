// Support for Windows-side end-to-end tests: a fresh installation of the stand-in host in a
// temporary folder, plug-ins copied into it, and runs of the host with its output captured.
// Texts and paths are UTF-8; folders end with a backslash.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Lines = std::vector<std::string>;

struct HostRun {
  int exitCode = -1;
  bool timedOut = false;
  std::string output;  // stdout and stderr as printed (UTF-8, since runs add -utf8)
  // The output's lines, without CR or LF; no empty last line for a final LF.
  std::vector<std::string> Lines() const;
};

// `text` cut into lines at LF (a CR before it dropped); no empty last line for a final LF.
Lines SplitLines(const std::string& text);

// What the step `step` printed: the lines after "> step" up to the next step, or up to the exit
// that follows the last step.
Lines StepOutput(const HostRun& run, const std::string& step);

// The lines that begin with `prefix`, in order.
Lines WithPrefix(const Lines& lines, const std::string& prefix);

bool HasLine(const Lines& lines, const std::string& line);

// The folder of the running test program, which is the build folder holding every built binary.
std::string BuildFolder();

// The bytes of the file at `path` ("" when it cannot be read).
std::string ReadWholeFile(const std::string& path);

// `text` written as a .cfg value of the test plug-in: backslash, CR, LF and TAB escaped.
std::string CfgValue(const std::string& text);

// `utf8` as the bytes of code page `codePage` (932: Shift-JIS), as a plug-in holds such a text.
std::string InCodePage(const std::string& utf8, unsigned codePage);

// `bytes` written as a .cfg value of the test plug-in with every byte outside printable ASCII (and the
// backslash) as \xHH, so the plug-in reads the same bytes under any code page.
std::string CfgBytes(const std::string& bytes);

// A picture read back from a file by the system's own decoder (GDI+), so a test sees what a viewer
// would: its size and its pixels (0xAARRGGBB), row by row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// Nothing when the file cannot be decoded.
std::optional<Picture> ReadPicture(const std::string& path);

// A host installation in a new folder <temp>\<unique>\ with Becky\ (the program folder, holding
// B2.exe) and Data\ (the data folder), both with an empty PlugIns\ folder. The destructor removes it.
class Installation {
 public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& DataFolder() const { return dataFolder_; }

  // Installs a built host as `installedName`; another name than B2.exe removes B2.exe, for runs in
  // which plug-ins cannot load the host by that name. Runs then start the installed host.
  void UseHost(const std::string& builtExe, const std::string& installedName = "B2.exe");
  // Copies a file of the build folder into `folder` (created if missing) as `installedName`.
  void InstallBuilt(const std::string& builtFile, const std::string& folder,
                    const std::string& installedName);
  // A test plug-in as `fileName` in `folder`, with `cfg` as the .cfg file beside it.
  void InstallTestPlugin(const std::string& folder, const std::string& fileName, const std::string& cfg,
                         const std::string& builtFile = "TestPlugin.dll");

  // Relative paths are taken against the program folder. WriteFile makes missing folders; ReadFile
  // gives "" for a file that cannot be read.
  void WriteFile(const std::string& path, const std::string& bytes) const;
  std::string ReadFile(const std::string& path) const;
  bool FileExists(const std::string& path) const;

  // Runs the installed host in the program folder with -data:<DataFolder()> -utf8 and, unless an
  // argument starts with -noloadpin, -noloadpin-none, before `arguments`. A host still running after
  // `timeoutMs` is killed and the run marked timedOut.
  HostRun Run(const std::vector<std::string>& arguments, int timeoutMs = 60000) const;

 private:
  std::string Resolve(const std::string& path) const;

  std::string root_;
  std::string programFolder_;
  std::string dataFolder_;
  std::string hostName_ = "B2.exe";
};

}  // namespace e2e
