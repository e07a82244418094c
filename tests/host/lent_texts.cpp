#include "lent_texts.h"

#include <cstring>

#include "output.h"

namespace b2host {
namespace {

size_t PageSize() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwPageSize;
}

}  // namespace

LentTexts::~LentTexts() {
  for (const Text& text : texts_)
    VirtualFree(text.address, 0, MEM_RELEASE);
}

LPCSTR LentTexts::Lend(std::string_view bytes, Kind kind) {
  static const size_t page = PageSize();
  const size_t extent = (bytes.size() + 1 + page - 1) / page * page;
  auto* address = static_cast<char*>(VirtualAlloc(nullptr, extent, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (!address) return nullptr;
  std::memcpy(address, bytes.data(), bytes.size());
  address[bytes.size()] = '\0';
  texts_.push_back({address, bytes.size(), extent, kind, true});
  return address;
}

LPCSTR LentTexts::LendSource(std::string_view bytes) {
  return Lend(bytes, Kind::kSource);
}

LPCSTR LentTexts::LendCurrentMail(std::string_view id) {
  LPCSTR text = Lend(id, Kind::kCurrentMail);
  currentMail_ = const_cast<char*>(text);
  return text;
}

void LentTexts::MakeUnreadable(Text& text) {
  // The pages stay reserved, so no later text can take their place.
  DWORD previous = 0;
  VirtualProtect(text.address, text.extent, PAGE_NOACCESS, &previous);
  text.out = false;
}

void LentTexts::TakeBackCurrentMail() {
  takenBackNow_ = nullptr;
  if (!currentMail_) return;
  if (Text* text = Holding(currentMail_)) MakeUnreadable(*text);
  takenBackNow_ = currentMail_;
  currentMail_ = nullptr;
}

LentTexts::Text* LentTexts::Holding(const void* address) {
  const auto* byte = static_cast<const char*>(address);
  for (Text& text : texts_) {
    if (byte >= text.address && byte < text.address + text.extent) return &text;
  }
  return nullptr;
}

const LentTexts::Text* LentTexts::Holding(const void* address) const {
  return const_cast<LentTexts*>(this)->Holding(address);
}

void LentTexts::Breach(std::wstring_view what) {
  PrintLine(L"host API: " + std::wstring(what));
  broken_ = true;
}

bool LentTexts::RefuseTakenBack(const void* address, std::wstring_view function) {
  const Text* text = address ? Holding(address) : nullptr;
  if (!text || text->out) return false;
  std::wstring said(function);
  if (text->kind == Kind::kSource) {
    said += L" was given a text given back with BKA_Free";
  } else if (text->address == takenBackNow_) {
    said += L" was given the text of BKA_GetCurrentMail, taken back at this call";
  } else {
    said += L" was given a text of BKA_GetCurrentMail, taken back at an earlier call";
  }
  Breach(said);
  return true;
}

std::wstring LentTexts::GiveBack(const void* address) {
  if (!address) return L"null";
  Text* text = Holding(address);
  if (!text || text->address != address) {
    Breach(L"BKA_Free of memory the host did not hand out");
    return L"<not the host's>";
  }
  if (text->kind == Kind::kCurrentMail) {
    Breach(L"BKA_Free of the text of BKA_GetCurrentMail, which stays the host's");
    return L"<text of BKA_GetCurrentMail>";
  }
  if (!text->out) {
    Breach(L"BKA_Free of a text given back before");
    return L"<given back before>";
  }
  MakeUnreadable(*text);
  return L"<" + std::to_wstring(text->size) + L" bytes>";
}

void LentTexts::ReportNotGivenBack() {
  for (const Text& text : texts_) {
    if (text.kind == Kind::kSource && text.out) {
      Breach(L"a text of BKA_GetSource was never given back (" + std::to_wstring(text.size) + L" bytes)");
    }
  }
}

std::wstring LentTexts::DescribeTakenBack(const void* address) const {
  const Text* text = Holding(address);
  if (!text || text->out) return L"";
  return text->kind == Kind::kSource ? L"a text given back with BKA_Free"
                                     : L"a text of BKA_GetCurrentMail, taken back at a later host API call";
}

}  // namespace b2host
