// What a test plug-in does, read from the .cfg file beside its DLL (same base name): lines
// "key=value" with \r \n \t \\ \xHH escapes in the value. Every key is optional.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testplugin {

struct Config {
  // Written by BKC_OnPlugInInfo into the four fields; an absent key leaves its field untouched.
  std::optional<std::string> name, vendor, version, description;
  bool faultInInfo = false;  // fault=info

  std::string stamp;           // an entry added to X-Mailer-Plugin on BKC_OnOutgoing
  int stampBufferSize = 4096;  // stamp-buffer: size told to BKA_CompGetSpecifiedHeader

  std::string logPath;  // log: one line per event
  std::string tag;      // tag: put before each log line, for logs that several plug-ins share

  std::string command;         // command: registered for the main window, added to its menu bar
  std::string composeCommand;  // compose-command: the same for each compose window
  int commandPopup = -1;       // command-popup: which popup gets the item; -1: the one before the last
  bool commandBitmap = false;  // command-bitmap=1: the item gets an unchecked check-mark bitmap
  bool commandGrayed = false;  // command-grayed=1: the item is added grayed

  std::string boxText, boxCaption;        // box-text, box-caption: a message box is shown when either is set
  UINT boxType = MB_OK | MB_ICONWARNING;  // box-type: MessageBox type, decimal or 0x hex
  std::string boxOn = "attach";           // box-on: attach, start, setup or command

  std::string dialogCaption;  // dialog-caption: a dialog (no message box) shown after the box, if any

  std::string neverPrecede, neverFollow;  // never-precede, never-follow: texts of those exports

  bool pasteOnOpen = false;                        // paste-on-open=1: EditPaste on BKC_OnOpenCompose
  std::optional<std::string> clipboardAfterPaste;  // clipboard-after-paste: set right after asking

  int setupResult = 1;      // setup-result: what BKC_OnPlugInSetup returns
  bool reportHost = false;  // report-host=1: logs what the host API tells
  std::string unknownKeys;  // keys not understood, logged at attach
};

// Parses the bytes of a .cfg file.
Config ParseConfig(const std::string& bytes);
std::string Unescape(const std::string& text);

}  // namespace testplugin
