// The host's command line: options (beginning with "-"), plug-in switches (beginning with "/", left
// to the plug-ins) and the steps to run, in order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace b2host {

enum class MenuLanguage { kJapanese, kEnglish };

// What to do with the NoLoadPin value before plug-ins are loaded.
enum class NoLoadPinChange { kLeave, kSetString, kSetExpandString, kSetDword, kDelete };

struct Options {
  std::wstring version = L"2.80.03";
  std::wstring dataFolder;  // empty: the program folder
  MenuLanguage menuLanguage = MenuLanguage::kJapanese;
  bool utf8 = false;
  bool trace = false;
  bool times = false;  // -times: how long each step took
  bool toolMenu = true;
  bool aboutItem = true;
  NoLoadPinChange noLoadPin = NoLoadPinChange::kLeave;
  std::wstring noLoadPinText;
  DWORD noLoadPinNumber = 0;
  std::vector<std::wstring> steps;
  std::vector<std::wstring> problems;  // bad options and unreadable scripts, printed before the steps
};

// `arguments` excludes the program name. Steps of a -script file take its place among the steps.
Options ParseOptions(const std::vector<std::wstring>& arguments);

// The steps of a script: UTF-8 lines, blank lines and lines starting with # skipped.
std::vector<std::wstring> ScriptSteps(const std::string& utf8Bytes);

}  // namespace b2host
