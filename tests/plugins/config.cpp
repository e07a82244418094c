#include "config.h"

#include <cstdlib>

namespace testplugin {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int Number(const std::string& text) {
  return static_cast<int>(std::strtol(text.c_str(), nullptr, 0));
}

// "SUBMENU>ITEM"; without ">" the item has the submenu's caption.
MenuPlace Place(const std::string& text) {
  size_t at = text.find('>');
  if (at == std::string::npos) return {text, text};
  return {text.substr(0, at), text.substr(at + 1)};
}

// The dialog-* keys; false for a key that is not one of them.
bool ParseDialogKey(const std::string& key, const std::string& value, DialogConfig& dialog) {
  if (key == "dialog-caption")
    dialog.caption = value;
  else if (key == "dialog-label")
    dialog.label = value;
  else if (key == "dialog-image")
    dialog.image = value == "1";
  else if (key == "dialog-check")
    dialog.check = value;
  else if (key == "dialog-checked")
    dialog.checked = value == "1";
  else if (key == "dialog-bevel")
    dialog.bevel = value == "1";
  else if (key == "dialog-cancel")
    dialog.cancel = value == "1";
  else if (key == "dialog-help-box")
    dialog.helpBox = value;
  else if (key == "dialog-ok-box")
    dialog.okBox = value;
  else if (key == "dialog-sizeable")
    dialog.sizeable = value == "1";
  else if (key == "dialog-no-close")
    dialog.noClose = value == "1";
  else if (key == "dialog-icon")
    dialog.icon = value == "1";
  else if (key == "dialog-ignore-cancel")
    dialog.ignoreCancel = value == "1";
  else if (key == "dialog-class")
    dialog.windowClass = value;
  else if (key == "dialog-disabled")
    dialog.disabledId = Number(value);
  else if (key == "dialog-font") {
    size_t comma = value.rfind(',');
    dialog.fontFace = value.substr(0, comma);
    dialog.fontPoints = comma == std::string::npos ? 8 : Number(value.substr(comma + 1));
  } else
    return false;
  return true;
}

}  // namespace

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    // The second byte of a double-byte character may be a backslash; it is not an escape.
    if (IsDBCSLeadByte(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 == text.size()) {
      out += static_cast<char>(c);
      continue;
    }
    char e = text[i + 1];
    if (e == 'r' || e == 'n' || e == 't' || e == '\\') {
      out += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : '\\';
      ++i;
    } else if (e == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 3;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

Config ParseConfig(const std::string& bytes) {
  Config config;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    std::string value = Unescape(line.substr(equals + 1));
    if (key == "name")
      config.name = value;
    else if (key == "vendor")
      config.vendor = value;
    else if (key == "version")
      config.version = value;
    else if (key == "description")
      config.description = value;
    else if (key == "fault")
      config.fault = value;
    else if (key == "stamp")
      config.stamp = value;
    else if (key == "stamp-buffer")
      config.stampBufferSize = Number(value);
    else if (key == "log")
      config.logPath = value;
    else if (key == "tag")
      config.tag = value;
    else if (key == "command")
      config.command = value;
    else if (key == "compose-command")
      config.composeCommand = value;
    else if (key == "command-popup")
      config.commandPopup = Number(value);
    else if (key == "command-bitmap")
      config.commandBitmap = value == "1";
    else if (key == "command-grayed")
      config.commandGrayed = value == "1";
    else if (key == "box-text")
      config.boxText = value;
    else if (key == "box-caption")
      config.boxCaption = value;
    else if (key == "box-type")
      config.boxType = static_cast<UINT>(std::strtoul(value.c_str(), nullptr, 0));
    else if (key == "box-on")
      config.boxOn = value;
    else if (ParseDialogKey(key, value, config.dialog))
      continue;
    else if (key == "help-submenu")
      config.helpSubmenus.push_back(Place(value));
    else if (key == "maker-group")
      config.makerGroup = Place(value);
    else if (key == "maker-heading")
      config.makerHeading = value;
    else if (key == "finish-maker-group")
      config.finishMakerGroup = value == "1";
    else if (key == "never-precede")
      config.neverPrecede = value;
    else if (key == "never-follow")
      config.neverFollow = value;
    else if (key == "paste-on-open")
      config.pasteOnOpen = value == "1";
    else if (key == "clipboard-after-paste")
      config.clipboardAfterPaste = value;
    else if (key == "setup-result")
      config.setupResult = Number(value);
    else if (key == "report-host")
      config.reportHost = value == "1";
    else if (key == "free-source" && (value == "never" || value == "twice" || value == "foreign" ||
                                      value == "stale-id" || value == "early"))
      config.freeSource = value;
    else if (key == "info-convention" && (value == "cdecl" || value == "stdcall" || value == "stdcall8"))
      config.infoArgumentBytes = value == "cdecl" ? 0 : value == "stdcall" ? 4 : 8;
    else
      config.unknownKeys += (config.unknownKeys.empty() ? "" : " ") + key;
  }
  return config;
}

}  // namespace testplugin
