#include "common/win/system_formats.h"

#include <windows.h>

namespace quorvel::win {
namespace {

char LocaleChar(LCTYPE type, char fallback) {
  char text[8] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 1 ? text[0] : fallback;
}

}  // namespace

SettingsFormats SystemSettingsFormats() {
  SettingsFormats formats;
  formats.decimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  formats.dateSeparator = LocaleChar(LOCALE_SDATE, '/');
  formats.timeSeparator = LocaleChar(LOCALE_STIME, ':');
  // LOCALE_IDATE: 0 month-day-year, 1 day-month-year, 2 year-month-day.
  switch (LocaleChar(LOCALE_IDATE, '2')) {
    case '0':
      formats.dateOrder = DateOrder::kMdy;
      break;
    case '1':
      formats.dateOrder = DateOrder::kDmy;
      break;
    default:
      formats.dateOrder = DateOrder::kYmd;
  }
  return formats;
}

}  // namespace quorvel::win
