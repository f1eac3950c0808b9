// Does every fixed text fit where the game draws it? Measured with the real
// font files: nothing may run past the field, into the help page's right
// column, past a menu's highlight box or check boxes, or out of the HUD's
// windows; and the fonts must be small enough for their line spacing.
#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "media/font.h"
#include "menus/menu.h"
#include "screens/hud.h"
#include "screens/question.h"
#include "tests/testenv.h"

namespace {
class TextFitTest : public GameTest {
protected:
  // The widest glyph among the characters.
  static int Widest(const CFont& font, const std::string& chars) {
    int widest = 0;
    for (char c : chars) widest = std::max(widest, TextWidth(font, std::string(1, c)));
    return widest;
  }
  static int GlyphHeight(const CFont& font) { return font.glyphs['A'].h; }
};

const char* const Digits = "0123456789";
const char* const NameChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

TEST_F(TextFitTest, FixedTextsEndBeforeTheirLimit) {
  std::vector<TFixedText> texts = MenuFixedTexts();
  for (const TFixedText& t : HudFixedTexts()) texts.push_back(t);
  for (const TFixedText& t : QuestionFixedTexts()) texts.push_back(t);
  ASSERT_GT(texts.size(), 60u);
  for (const TFixedText& t : texts) {
    const int end = t.x + TextWidth(*t.font, t.text);
    EXPECT_LE(end, t.limit) << "\"" << t.text << "\" at (" << t.x << ", " << t.y << ") ends at " << end;
  }
}

TEST_F(TextFitTest, HudScoreAndTableColumnsHoldTheirWidestValues) {
  // Eight digits from x 43 must end before the energy bar at 244.
  EXPECT_LE(43 + 8 * Widest(Game.fontScore, Digits), 244);
  // A ten-character name with its typing cursor ends before the score column at 300.
  EXPECT_LE(80 + 10 * Widest(Game.fontMenu, NameChars) + TextWidth(Game.fontMenu, "_"), 300);
  // Ten score digits from x 300 stay in the field.
  EXPECT_LE(300 + 10 * Widest(Game.fontMenu, Digits), 480);
}

TEST_F(TextFitTest, LevelTitleBoxesStayInTheField) {
  // A text of 420 pixels or more makes the box wider than the field.
  for (const std::string& name : Game.levelList) EXPECT_LT(TextWidth(Game.fontMenu, name), 420) << name;
  for (int index : {39, 79, 119, 159, 199, 239}) {
    Game.levelIndex = index;
    EXPECT_LT(TextWidth(Game.fontMenu, LevelTitle()), 420) << LevelTitle();
  }
}

TEST_F(TextFitTest, FontsFitTheirLineSpacing) {
  // Help and credit lines are 16 pixels apart.
  EXPECT_LE(GlyphHeight(Game.fontScore), 16);
  // Table rows are 28 apart; menu rows sit 8 pixels into a 40-pixel highlight box.
  EXPECT_LE(GlyphHeight(Game.fontMenu), 28);
}
}  // namespace
