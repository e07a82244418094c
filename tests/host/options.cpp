#include "options.h"

#include <cwchar>

#include "files.h"
#include "text.h"

namespace b2host {
namespace {

// The text after "-name:" when `argument` is that option.
bool OptionValue(const std::wstring& argument, const wchar_t* name, std::wstring& value) {
  std::wstring prefix = std::wstring(L"-") + name + L":";
  if (!StartsWith(argument, prefix)) return false;
  value = argument.substr(prefix.size());
  return true;
}

bool ParseNumber(const std::wstring& text, DWORD& number) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  unsigned long value = wcstoul(text.c_str(), &end, 0);
  if (*end != L'\0') return false;
  number = static_cast<DWORD>(value);
  return true;
}

}  // namespace

std::vector<std::wstring> ScriptSteps(const std::string& utf8Bytes) {
  std::string_view bytes(utf8Bytes);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::vector<std::wstring> steps;
  for (std::wstring& line : Split(FromUtf8(bytes), L'\n')) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line[first] == L'#') continue;
    steps.push_back(line.substr(first));
  }
  return steps;
}

Options ParseOptions(const std::vector<std::wstring>& arguments) {
  Options options;
  for (const std::wstring& argument : arguments) {
    std::wstring value;
    if (argument.empty() || argument[0] == L'/') continue;  // a plug-in switch
    if (argument[0] != L'-') {
      options.steps.push_back(argument);
    } else if (OptionValue(argument, L"version", value)) {
      options.version = value;
    } else if (OptionValue(argument, L"data", value)) {
      options.dataFolder = value;
    } else if (OptionValue(argument, L"menus", value)) {
      if (value == L"ja") {
        options.menuLanguage = MenuLanguage::kJapanese;
      } else if (value == L"en") {
        options.menuLanguage = MenuLanguage::kEnglish;
      } else {
        options.problems.push_back(L"unknown menu language: " + value);
      }
    } else if (argument == L"-utf8") {
      options.utf8 = true;
    } else if (argument == L"-ansi") {
      options.utf8 = false;
    } else if (argument == L"-trace") {
      options.trace = true;
    } else if (argument == L"-times") {
      options.times = true;
    } else if (argument == L"-menu-no-tool") {
      options.toolMenu = false;
    } else if (argument == L"-menu-no-about") {
      options.aboutItem = false;
    } else if (OptionValue(argument, L"script", value)) {
      std::string bytes;
      if (!ReadWholeFile(value, bytes)) {
        options.problems.push_back(L"cannot read script " + value);
      } else {
        for (std::wstring& step : ScriptSteps(bytes))
          options.steps.push_back(std::move(step));
      }
    } else if (OptionValue(argument, L"noloadpin", value)) {
      options.noLoadPin = NoLoadPinChange::kSetString;
      options.noLoadPinText = value;
    } else if (OptionValue(argument, L"noloadpin-expand", value)) {
      options.noLoadPin = NoLoadPinChange::kSetExpandString;
      options.noLoadPinText = value;
    } else if (OptionValue(argument, L"noloadpin-dword", value)) {
      if (ParseNumber(value, options.noLoadPinNumber)) {
        options.noLoadPin = NoLoadPinChange::kSetDword;
      } else {
        options.problems.push_back(L"not a number: " + argument);
      }
    } else if (argument == L"-noloadpin-none") {
      options.noLoadPin = NoLoadPinChange::kDelete;
    } else {
      options.problems.push_back(L"unknown option: " + argument);
    }
  }
  return options;
}

}  // namespace b2host
