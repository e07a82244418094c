#include "dialog_actions.h"

#include <cwchar>

#include "text.h"

namespace b2host {
namespace {

// The escapes of a caption in a dialog action: \; \\ \r \n \t; others are kept as written.
std::wstring UnescapeCaption(std::wstring_view text) {
  std::wstring plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    switch (text[i + 1]) {
      case L';':
        plain += L';';
        break;
      case L'\\':
        plain += L'\\';
        break;
      case L'r':
        plain += L'\r';
        break;
      case L'n':
        plain += L'\n';
        break;
      case L't':
        plain += L'\t';
        break;
      default:
        plain += text.substr(i, 2);
        break;
    }
    ++i;
  }
  return plain;
}

bool ParseInt(const std::wstring& text, int& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  long number = wcstol(text.c_str(), &end, 10);
  if (*end != L'\0') return false;
  value = static_cast<int>(number);
  return true;
}

bool ParsePair(const std::wstring& text, int& first, int& second) {
  size_t comma = text.find(L',');
  return comma != std::wstring::npos && ParseInt(text.substr(0, comma), first) &&
         ParseInt(text.substr(comma + 1), second);
}

struct KeyName {
  const wchar_t* name;
  UINT key;
};
constexpr KeyName kKeys[] = {
    {L"ESC", VK_ESCAPE}, {L"ENTER", VK_RETURN}, {L"TAB", VK_TAB}, {L"SPACE", VK_SPACE}};

std::optional<DialogAction> ParseAction(const std::wstring& written) {
  size_t colon = written.find(L':');
  std::wstring name = written.substr(0, colon);
  bool hasParameter = colon != std::wstring::npos;
  std::wstring parameter = hasParameter ? written.substr(colon + 1) : std::wstring();
  DialogAction action;
  if (!hasParameter) {
    if (name == L"print") return action;
    if (name == L"close") {
      action.kind = DialogAction::Kind::kClose;
      return action;
    }
    if (name == L"windows") {
      action.kind = DialogAction::Kind::kWindows;
      return action;
    }
    return std::nullopt;
  }
  if (name == L"click" && !parameter.empty()) {
    action.kind = DialogAction::Kind::kClick;
    action.text = parameter;
    int id = 0;
    if (parameter[0] == L'#' && ParseInt(parameter.substr(1), id)) {
      action.id = id;
    } else {
      action.caption = UnescapeCaption(parameter);
    }
    return action;
  }
  if (name == L"key") {
    for (const KeyName& key : kKeys) {
      if (EqualsIgnoringCase(parameter, key.name)) {
        action.kind = DialogAction::Kind::kKey;
        action.text = key.name;
        action.key = key.key;
        return action;
      }
    }
    return std::nullopt;
  }
  if ((name == L"resize" || name == L"move") && ParsePair(parameter, action.x, action.y)) {
    action.kind = name == L"resize" ? DialogAction::Kind::kResize : DialogAction::Kind::kMove;
    if (action.kind == DialogAction::Kind::kResize && (action.x <= 0 || action.y <= 0)) return std::nullopt;
    return action;
  }
  if (name == L"screenshot" && !parameter.empty()) {
    action.kind = DialogAction::Kind::kScreenshot;
    action.text = parameter;
    return action;
  }
  int milliseconds = 0;
  if (name == L"wait" && ParseInt(parameter, milliseconds) && milliseconds >= 0) {
    action.kind = DialogAction::Kind::kWait;
    action.milliseconds = static_cast<DWORD>(milliseconds);
    return action;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<DialogAction>> ParseDialogActions(const std::wstring& text, std::wstring& problem) {
  std::vector<DialogAction> actions;
  if (text.empty()) return actions;
  for (const std::wstring& piece : SplitUnescaped(text, L';')) {
    std::optional<DialogAction> action = ParseAction(piece);
    if (!action) {
      problem = piece;
      return std::nullopt;
    }
    actions.push_back(std::move(*action));
  }
  return actions;
}

}  // namespace b2host
