#include "support/LCDate.h"

#include <cstdio>
#include <cstring>

namespace {

// __DATE__ ("Dec 10 2026") and __TIME__ ("08:55:01") of this build.
TDateTime BuildTime() {
  static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  char month[4] = {};
  int day = 1, year = 2000, hour = 0, minute = 0, second = 0;
  std::sscanf(__DATE__, "%3s %d %d", month, &day, &year);
  std::sscanf(__TIME__, "%d:%d:%d", &hour, &minute, &second);
  const char* found = std::strstr(kMonths, month);
  const int monthNumber = found ? static_cast<int>(found - kMonths) / 3 + 1 : 1;
  return EncodeDate(year, monthNumber, day) + EncodeTime(hour, minute, second, 0);
}

}  // namespace

TLCDate::TLCDate(TComponent* AOwner) : TComponent(AOwner), LCDate(BuildTime()) {}
