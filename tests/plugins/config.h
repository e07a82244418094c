// What a test plug-in does, read from the .cfg file beside its DLL (same base name): lines
// "key=value" with \r \n \t \\ \xHH escapes in the value. Every key is optional.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testplugin {

// The test plug-in's own modal dialog: an OK button, and what the dialog-* keys add.
struct DialogConfig {
  std::string caption;    // dialog-caption: shown when set
  std::string label;      // dialog-label: a text label
  bool image = false;     // dialog-image=1: a 32 x 32 picture
  std::string check;      // dialog-check: a check box with this caption
  bool checked = false;   // dialog-checked=1: it starts checked
  bool bevel = false;     // dialog-bevel=1: an etched line above the buttons
  bool cancel = false;    // dialog-cancel=1: a Cancel button
  std::string helpBox;    // dialog-help-box: a Help button that shows a message box with this text
  std::string okBox;      // dialog-ok-box: OK first shows a message box with this text
  bool sizeable = false;  // dialog-sizeable=1: a sizeable frame with minimize and maximize boxes
  bool noClose = false;   // dialog-no-close=1: no system menu, so no close box
  bool icon = false;      // dialog-icon=1: a window icon
  std::string fontFace;   // dialog-font=FACE,POINTS: the dialog's font
  int fontPoints = 0;
  bool ignoreCancel = false;  // dialog-ignore-cancel=1: IDCANCEL does not end the dialog
  int disabledId = 0;         // dialog-disabled=ID: that control starts disabled
  std::string windowClass;    // dialog-class: the template names this window class for the dialog
};

// A submenu caption and the caption of the one command item that the plug-in puts into it.
struct MenuPlace {
  std::string submenu;
  std::string item;
};

struct Config {
  // Written by BKC_OnPlugInInfo into the four fields; an absent key leaves its field untouched.
  std::optional<std::string> name, vendor, version, description;
  std::string fault;  // fault=info|caught: what BKC_OnPlugInInfo does first; fault=detach: its unload
  // info-convention=cdecl|stdcall|stdcall8: bytes of arguments that BKC_OnPlugInInfo removes from the
  // stack when it returns (0, 4 or 8; 32-bit builds only, x64 has one calling convention)
  int infoArgumentBytes = 4;

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

  DialogConfig dialog;  // shown after the box, if any

  std::vector<MenuPlace> helpSubmenus;  // help-submenu=SUBMENU>ITEM, one line each: in the help menu
  std::optional<MenuPlace> makerGroup;  // maker-group=SUBMENU>ITEM: a maker group in the tool menu
  std::string makerHeading = "ZEFO";    // maker-heading: the group's heading
  bool finishMakerGroup = false;  // finish-maker-group=1: BKC_OnStart turns the heading into a separator

  std::string neverPrecede, neverFollow;  // never-precede, never-follow: texts of those exports

  bool pasteOnOpen = false;                        // paste-on-open=1: EditPaste on BKC_OnOpenCompose
  std::optional<std::string> clipboardAfterPaste;  // clipboard-after-paste: set right after asking

  int setupResult = 1;      // setup-result: what BKC_OnPlugInSetup returns
  bool reportHost = false;  // report-host=1: logs what the host API tells
  // free-source=never|twice|foreign|stale-id|early: how report-host misuses the text of BKA_GetSource
  // (default: it copies the mail's id first and gives the source back once, after measuring it)
  std::string freeSource;
  std::string unknownKeys;  // keys not understood, logged at attach
};

// Parses the bytes of a .cfg file.
Config ParseConfig(const std::string& bytes);
std::string Unescape(const std::string& text);

}  // namespace testplugin
