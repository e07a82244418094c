#include "menu_bar.h"

#include <algorithm>
#include <string>
#include <vector>

#include "output.h"
#include "text.h"

namespace b2host {
namespace {

struct ItemText {
  UINT id;  // 0: a separator
  const wchar_t* japanese;
  const wchar_t* english;
};

struct PopupText {
  const wchar_t* japanese;
  const wchar_t* english;
  std::vector<ItemText> items;
};

const ItemText kSeparator = {0, nullptr, nullptr};
const ItemText kMainAbout = {1602, L"Becky!について(&A)", L"&About \"Becky!\""};
const ItemText kComposeAbout = {2402, L"Becky!について(&A)", L"&About \"Becky!\""};

const wchar_t* Pick(MenuLanguage language, const wchar_t* japanese, const wchar_t* english) {
  return language == MenuLanguage::kJapanese ? japanese : english;
}

UniqueMenu BuildBar(const std::vector<PopupText>& popups, MenuLanguage language) {
  UniqueMenu bar(CreateMenu());
  for (const PopupText& popupText : popups) {
    UniqueMenu popup(CreatePopupMenu());
    for (const ItemText& item : popupText.items) {
      if (item.id == 0) {
        AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
      } else {
        AppendMenuW(popup.get(), MF_STRING, item.id, Pick(language, item.japanese, item.english));
      }
    }
    if (AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()),
                    Pick(language, popupText.japanese, popupText.english))) {
      popup.release();  // the bar owns it now
    }
  }
  return bar;
}

std::vector<ItemText> HelpItems(const ItemText& contents, const ItemText& about, bool aboutItem) {
  std::vector<ItemText> items = {contents, kSeparator};
  if (aboutItem) items.push_back(about);
  return items;
}

struct ItemFacts {
  std::wstring caption;
  UINT id = 0;
  HMENU submenu = nullptr;
  bool separator = false;
  bool uncheckedBitmap = false;
  bool enabled = true;
};

ItemFacts ReadItem(HMENU menu, int position) {
  ItemFacts facts;
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_STATE | MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return facts;
  if (info.cch > 0) {
    std::wstring caption(info.cch + 1, L'\0');
    info.dwTypeData = caption.data();
    info.cch = static_cast<UINT>(caption.size());
    GetMenuItemInfoW(menu, position, TRUE, &info);
    caption.resize(info.cch);
    facts.caption = caption;
  }
  facts.id = info.wID;
  facts.submenu = info.hSubMenu;
  facts.separator = (info.fType & MFT_SEPARATOR) != 0;
  facts.uncheckedBitmap = info.hbmpUnchecked != nullptr;
  facts.enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
  return facts;
}

void PrintItems(HMENU menu, int depth, const CommandTable& commands) {
  if (depth > 16) return;  // a menu that contains itself
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    ItemFacts item = ReadItem(menu, i);
    std::wstring line(2 * depth, L' ');
    if (item.separator) {
      line += L"----";
    } else {
      line += item.caption;
    }
    if (item.uncheckedBitmap) line += L" [bitmap]";
    const Command* command = item.submenu ? nullptr : commands.Find(item.id);
    if (command) line += L" -> " + QuotedAnsi(command->description);
    PrintLine(line);
    if (item.submenu) PrintItems(item.submenu, depth + 1, commands);
  }
}

std::wstring WithoutAmpersands(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

// Position of the item that `segment` names in `menu`, or -1.
int FindSegment(HMENU menu, const std::wstring& segment) {
  int count = GetMenuItemCount(menu);
  std::vector<ItemFacts> items;
  for (int i = 0; i < count; ++i)
    items.push_back(ReadItem(menu, i));
  for (int i = 0; i < count; ++i) {
    if (!items[i].separator && items[i].caption == segment) return i;
  }
  for (int i = 0; i < count; ++i) {
    if (!items[i].separator && WithoutAmpersands(items[i].caption) == segment) return i;
  }
  for (int i = 0; i < count; ++i) {
    if (items[i].separator) continue;
    if (StartsWith(items[i].caption, segment) || StartsWith(WithoutAmpersands(items[i].caption), segment)) {
      return i;
    }
  }
  // "#N": the N-th item, separators counted, for scripts that run under any language and code page.
  if (segment.size() > 1 && segment[0] == L'#' &&
      segment.find_first_not_of(L"0123456789", 1) == std::wstring::npos && segment.size() < 6) {
    const int position = std::stoi(segment.substr(1)) - 1;
    if (position >= 0 && position < count && !items[position].separator) return position;
  }
  return -1;
}

}  // namespace

UniqueMenu BuildMainMenuBar(const MenuLayout& layout) {
  std::vector<PopupText> popups = {
      {L"ファイル(&F)",
       L"&File",
       {{1101, L"受信(&R)", L"&Receive"},
        {1102, L"送信(&S)", L"&Send"},
        kSeparator,
        {1103, L"印刷(&P)...", L"&Print..."},
        kSeparator,
        {1109, L"終了(&X)", L"E&xit"}}},
      {L"編集(&E)",
       L"&Edit",
       {{1201, L"コピー(&C)", L"&Copy"},
        {1202, L"貼り付け(&P)", L"&Paste"},
        kSeparator,
        {1203, L"すべて選択(&A)", L"Select &All"},
        {1204, L"検索(&F)...", L"&Find..."}}},
      {L"表示(&V)",
       L"&View",
       {{1301, L"ツールバー(&T)", L"&Toolbar"},
        {1302, L"ステータスバー(&S)", L"&Status Bar"},
        kSeparator,
        {1303, L"最新の情報に更新(&R)", L"&Refresh"}}},
      {L"メール(&M)",
       L"&Mail",
       {{1401, L"新規作成(&N)", L"&New Message"},
        {1402, L"返信(&R)", L"&Reply"},
        {1403, L"転送(&F)", L"&Forward"}}},
  };
  if (layout.toolMenu) {
    popups.push_back({L"ツール(&T)",
                      L"&Tool",
                      {{1501, L"アドレス帳(&A)", L"&Address Book"},
                       {1502, L"振り分け設定(&F)...", L"&Filtering Manager..."},
                       kSeparator,
                       {1503, L"オプション(&O)...", L"&Options..."}}});
  }
  popups.push_back(
      {L"ヘルプ(&H)", L"&Help", HelpItems({1601, L"目次(&C)", L"&Contents"}, kMainAbout, layout.aboutItem)});
  return BuildBar(popups, layout.language);
}

UniqueMenu BuildComposeMenuBar(const MenuLayout& layout) {
  std::vector<PopupText> popups = {
      {L"ファイル(&F)",
       L"&File",
       {{2101, L"送信(&S)", L"&Send"},
        {2102, L"下書きに保存(&D)", L"Save as &Draft"},
        kSeparator,
        {2103, L"閉じる(&C)", L"&Close"}}},
      {L"編集(&E)",
       L"&Edit",
       {{2201, L"元に戻す(&U)", L"&Undo"},
        kSeparator,
        {2202, L"切り取り(&T)", L"Cu&t"},
        {2203, L"コピー(&C)", L"&Copy"},
        {2204, L"貼り付け(&P)", L"&Paste"}}},
  };
  if (layout.toolMenu) {
    popups.push_back({L"ツール(&T)",
                      L"&Tool",
                      {{2301, L"署名の挿入(&G)", L"Insert Si&gnature"},
                       kSeparator,
                       {2302, L"オプション(&O)...", L"&Options..."}}});
  }
  popups.push_back({L"ヘルプ(&H)", L"&Help",
                    HelpItems({2401, L"目次(&C)", L"&Contents"}, kComposeAbout, layout.aboutItem)});
  return BuildBar(popups, layout.language);
}

void PrintMenuTree(HMENU menuBar, std::wstring_view title, const CommandTable& commands) {
  PrintLine(title);
  if (menuBar) PrintItems(menuBar, 1, commands);
}

std::optional<MenuChoice> FindMenuItem(HMENU menuBar, std::wstring_view path) {
  HMENU menu = menuBar;
  std::vector<std::wstring> segments = Split(path, L'>');
  for (size_t s = 0; s < segments.size(); ++s) {
    if (!menu) return std::nullopt;
    int position = FindSegment(menu, segments[s]);
    if (position < 0) return std::nullopt;
    ItemFacts item = ReadItem(menu, position);
    bool last = s + 1 == segments.size();
    if (last) {
      if (item.submenu) return std::nullopt;  // a popup is not a command
      return MenuChoice{item.id, item.enabled};
    }
    menu = item.submenu;
  }
  return std::nullopt;
}

}  // namespace b2host
