// The player's notice: two lines shown for a few seconds over any screen
// (the screens draw it, as a framed box at the head of the field).
#include "media/notice.h"

#include <cstdio>

#include "base/clock.h"
#include "base/globals.h"

namespace {
constexpr uint32_t NoticeMilliseconds = 5000;
}  // namespace

void ShowNotice(const std::string& title, const std::string& detail) {
  Game.noticeLines[0] = title;
  Game.noticeLines[1] = detail;
  Game.noticeUntil = GetTicks() + NoticeMilliseconds;
}

bool ReportSave(const TSaveResult& result) {
  if (result.saved) return true;
  const std::string title = result.what + " " + result.outcome;
  std::fprintf(stderr, "rebounder: %s: %s\n", title.c_str(), result.error.c_str());
  const size_t colon = result.error.rfind(": ");
  ShowNotice(title, colon == std::string::npos ? result.error : result.error.substr(colon + 2));
  return false;
}
