// The level editor's model: strokes and their undo, mirroring, the live check
// and saving exactly what the level compiler prints.
#include "levels/leveleditor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "levels/levelformat.h"

namespace fs = std::filesystem;

namespace {
std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LevelEditor, StrokesUndoAsOneStepAndTheHistoryIsDeep) {
  CLevelEditor editor;
  editor.BeginStroke();
  for (int column = 0; column < 5; ++column) editor.PaintColour(column, 3, bcRed);
  editor.PaintPowerUp(2, 3, bbFire);
  editor.EndStroke();
  EXPECT_EQ(editor.PowerUp(2, 3), bbFire);
  // Gray and empty cells carry no power-up, whatever is painted on them.
  editor.PaintColour(2, 3, bcGray);
  EXPECT_EQ(editor.PowerUp(2, 3), 0);
  editor.PaintPowerUp(9, 9, bbFire);
  EXPECT_EQ(editor.PowerUp(9, 9), 0);

  EXPECT_TRUE(editor.Undo());
  EXPECT_EQ(editor.Colour(2, 3), bcRed);
  EXPECT_TRUE(editor.Undo());
  for (int column = 0; column < 5; ++column) EXPECT_EQ(editor.Colour(column, 3), bcNone);
  EXPECT_FALSE(editor.Undo());
  EXPECT_TRUE(editor.Redo());
  EXPECT_EQ(editor.Colour(4, 3), bcRed);

  for (int i = 0; i < 60; ++i) editor.PaintColour(i % 14, 10 + i / 14, bcBlue);
  int undone = 0;
  while (editor.Undo()) ++undone;
  EXPECT_EQ(undone, 61);
  EXPECT_EQ(editor.Colour(0, 3), bcNone);
  editor.Redo();
  editor.PaintColour(0, 0, bcYellow);
  EXPECT_FALSE(editor.Redo()) << "a new change forgets what was undone";
}

TEST(LevelEditor, MirrorAndTheLiveCheck) {
  CLevelEditor editor;
  editor.PaintColour(0, 2, bcGreen);
  editor.PaintPowerUp(0, 2, bbLife);
  editor.MirrorLeftRight();
  EXPECT_EQ(editor.Colour(0, 2), bcNone);
  EXPECT_EQ(editor.Colour(13, 2), bcGreen);
  EXPECT_EQ(editor.PowerUp(13, 2), bbLife);
  EXPECT_NE(editor.Problem().find("at least 20"), std::string::npos) << editor.Problem();

  // A brick walled in by gray bricks and the top wall can never be reached.
  editor.PaintColour(5, 0, bcGray);
  editor.PaintColour(7, 0, bcGray);
  for (int column = 5; column <= 7; ++column) editor.PaintColour(column, 1, bcGray);
  editor.PaintColour(6, 0, bcRed);
  ASSERT_EQ(editor.Unreachable().size(), 1u);
  EXPECT_EQ(editor.Unreachable()[0], (TCell{0, 6}));
  EXPECT_NE(editor.Problem().find("never reach"), std::string::npos) << editor.Problem();
  editor.SetName("bad/name");
  EXPECT_NE(editor.Problem().find("'/'"), std::string::npos);
}

TEST(LevelEditor, SavesWhatTheCompilerPrintsAndOpensDraftsAgain) {
  char temp[] = "/tmp/rebounder-editor-XXXXXX";
  ASSERT_NE(mkdtemp(temp), nullptr);
  const std::string set = std::string(temp) + "/levels/new set";

  CLevelEditor draft;
  draft.SetName("half done");
  draft.PaintColour(3, 3, bcWhite);
  ASSERT_TRUE(draft.Save(set)) << "a level that fails the checks is kept as a draft";
  EXPECT_EQ(fs::path(draft.path).filename(), "01-half-done.lvl");
  const CLevelEditor reopened = CLevelEditor::Open(draft.path);
  EXPECT_EQ(reopened.name, "half done");
  EXPECT_EQ(reopened.Map(), draft.Map());

  CLevelEditor level;
  level.SetName("Full House!");
  for (int row = 2; row < 4; ++row)
    for (int column = 0; column < 14; ++column) level.PaintColour(column, row, bcBlue + column % 6);
  level.PaintPowerUp(4, 2, bbMagnet);
  EXPECT_EQ(level.Problem(), "");
  ASSERT_TRUE(level.Save(set));
  EXPECT_EQ(fs::path(level.path).filename(), "02-full-house.lvl");
  const std::string text = ReadText(level.path);
  const TCompiledLevel compiled = CompileSource(text, level.path);
  EXPECT_EQ(compiled.bytes, level.Map());
  EXPECT_EQ(text, PrintMap(compiled.bytes, "Full House!", level.path));

  // Saved again into its own folder, it keeps its file, opened by a bare file name too.
  level.PaintColour(0, 5, bcRed);
  ASSERT_TRUE(level.Save(set));
  EXPECT_EQ(fs::path(level.path).filename(), "02-full-house.lvl");
  const fs::path home = fs::current_path();
  fs::current_path(set);
  CLevelEditor bare = CLevelEditor::Open("02-full-house.lvl");
  EXPECT_EQ(bare.Folder(), ".");
  bare.PaintColour(1, 5, bcRed);
  ASSERT_TRUE(bare.Save(bare.Folder()));
  EXPECT_EQ(bare.path, "02-full-house.lvl");
  EXPECT_EQ(CLevelEditor::Open("02-full-house.lvl").Map(), bare.Map());
  fs::current_path(home);
  fs::remove_all(temp);
}

// A level opened from a source keeps the source's comment and blank lines,
// wherever they stand and whatever their line ends, through every save;
// only the name and the grid change.
TEST(LevelEditor, SavingKeepsTheSourcesCommentLines) {
  char temp[] = "/tmp/rebounder-editor-XXXXXX";
  ASSERT_NE(mkdtemp(temp), nullptr);
  CLevelEditor made;
  made.SetName("commented");
  made.PaintColour(0, 0, bcRed);
  std::string source = made.Source();
  source.insert(0, "# by Ann, for the spring set\r\n\n");
  source.insert(source.find("|", source.find("name:")), "# the top row\n");
  source += "  # the end: nothing below the rows\n";
  const std::string path = std::string(temp) + "/01-commented.lvl";
  std::ofstream(path, std::ios::binary) << source;

  CLevelEditor level = CLevelEditor::Open(path);
  level.SetName("renamed");
  level.PaintColour(1, 0, bcBlue);
  ASSERT_TRUE(level.Save(temp));
  level.PaintColour(2, 0, bcGreen);
  ASSERT_TRUE(level.Save(std::string(temp) + "/elsewhere"));
  for (const std::string& saved : {path, level.path}) {
    const std::string text = ReadText(saved);
    for (const char* kept : {"# by Ann, for the spring set\r\n\n", "# the top row\n|r b ",
                             "\n  # the end: nothing below the rows\n", "# Power-ups: B extra ball"})
      EXPECT_NE(text.find(kept), std::string::npos) << kept << " in " << text;
    EXPECT_NE(text.find("name: renamed\n"), std::string::npos);
    int rows[LevelRows];
    EXPECT_EQ(ParseSource(text, saved, rows).name, "renamed");
  }
  int rows[LevelRows];
  EXPECT_EQ(ParseSource(ReadText(level.path), level.path, rows).bytes, level.Map());
  fs::remove_all(temp);
}
}  // namespace
