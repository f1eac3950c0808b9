// The player's notice: a framed box of two lines at the head of the field.
// Saves happen on the menu screens, where only the title is drawn there: the
// box hides no menu row and no row of the table being named.
#include "ui/notice.h"

#include <cstdio>

#include "shell/clock.h"
#include "shell/globals.h"
#include "ui/font.h"
#include "ui/hud.h"

namespace {
constexpr uint32_t NoticeMilliseconds = 5000;
constexpr int FieldSize = 480;
constexpr int TextRoom = 400;  // inside the box's frame

std::string Fitted(std::string text) {
  while (!text.empty() && TextWidth(Game.fontScore, text) > TextRoom) text.pop_back();
  return text;
}
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

// Differences in unsigned arithmetic, so a clock wrap cannot keep it forever.
void DrawNotice() {
  if (Game.noticeLines[0].empty() || static_cast<int32_t>(Game.noticeUntil - GetTicks()) <= 0) return;
  DrawBox(Game.sprMessage, 1, 1, 22, 4);
  for (int line = 0; line < 2; ++line) {
    const std::string text = Fitted(Game.noticeLines[line]);
    DrawText(Game.fontScore, (FieldSize - TextWidth(Game.fontScore, text)) / 2, 36 + 22 * line, text);
  }
}
