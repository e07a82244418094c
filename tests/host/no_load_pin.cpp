#include "no_load_pin.h"

#include <windows.h>

#include <algorithm>

#include "output.h"
#include "text.h"
#include "win_handle.h"

namespace b2host {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\RimArts\\B2\\Settings";
constexpr char kValueName[] = "NoLoadPin";

}  // namespace

bool ApplyNoLoadPinOption(const Options& options) {
  if (options.noLoadPin == NoLoadPinChange::kLeave) return true;
  HKEY raw = nullptr;
  LONG status =
      RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (status != ERROR_SUCCESS) {
    PrintLine(L"cannot open the settings key (error " + std::to_wstring(status) + L")");
    return false;
  }
  UniqueKey key(raw);
  // Texts are stored through the ANSI function, so escapes can put any bytes (a NUL too) in the value.
  std::string text = UnescapeToAnsi(options.noLoadPinText);
  const BYTE* textData = reinterpret_cast<const BYTE*>(text.c_str());
  DWORD textSize = static_cast<DWORD>(text.size() + 1);
  switch (options.noLoadPin) {
    case NoLoadPinChange::kSetString:
      status = RegSetValueExA(key.get(), kValueName, 0, REG_SZ, textData, textSize);
      break;
    case NoLoadPinChange::kSetExpandString:
      status = RegSetValueExA(key.get(), kValueName, 0, REG_EXPAND_SZ, textData, textSize);
      break;
    case NoLoadPinChange::kSetDword:
      status = RegSetValueExA(key.get(), kValueName, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&options.noLoadPinNumber), sizeof(DWORD));
      break;
    case NoLoadPinChange::kDelete:
      status = RegDeleteValueA(key.get(), kValueName);
      if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
      break;
    case NoLoadPinChange::kLeave:
      break;
  }
  if (status != ERROR_SUCCESS) {
    PrintLine(L"cannot change NoLoadPin (error " + std::to_wstring(status) + L")");
    return false;
  }
  return true;
}

std::wstring ReadNoLoadPin() {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return {};
  UniqueKey key(raw);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  std::string bytes(size, '\0');
  if (RegQueryValueExA(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  bytes.resize(std::min<size_t>(size, bytes.size()));
  bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  return FromAnsi(bytes);
}

bool IsPinnedOut(const std::wstring& noLoadPin, const std::wstring& fileName) {
  return (L"/" + Upper(noLoadPin) + L"/").find(L"/" + Upper(fileName) + L"/") != std::wstring::npos;
}

}  // namespace b2host
