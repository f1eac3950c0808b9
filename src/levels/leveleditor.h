// CLevelEditor: a level being made in the editor: its grid and name, painting
// with undo and redo, mirroring, the live check by the level compiler's own
// rules, and saving it as a source into a level set.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "levels/levelcheck.h"
#include "platform/datafile.h"

class CLevelEditor {
public:
  std::string name = "my level";
  std::string path;  // the source file it was opened from or last saved to, "" for a new level

  CLevelEditor();
  // Opens a source as it is, a draft that fails the play checks too; throws
  // TLevelError for a file that is not a level source.
  static CLevelEditor Open(const std::string& path);

  // The level as a map (LevelFileBytes), as the game and the checks read it.
  const std::vector<uint8_t>& Map() const { return map; }
  uint8_t Colour(int column, int row) const;
  uint8_t PowerUp(int column, int row) const;

  // A stroke (a click, or a drag of the mouse) is one step of undo.
  void BeginStroke();
  void EndStroke();
  // Paints a colour (bcNone erases; gray and empty cells lose their power-up).
  void PaintColour(int column, int row, uint8_t colour);
  // Puts a power-up on a breakable brick (0 takes it off); other cells keep none.
  void PaintPowerUp(int column, int row, uint8_t powerUp);
  void MirrorLeftRight();
  void SetName(const std::string& newName);
  bool Undo();
  bool Redo();

  int BreakableCount() const { return BreakableBrickCount(map); }
  std::vector<TCell> Unreachable() const { return UnreachableBricks(map); }
  // Why the level cannot be played yet (a bad name, bricks out of reach, too
  // few bricks); empty when it passes every check the level compiler makes.
  std::string Problem() const;
  // The source text, exactly as the level compiler prints the map; for a
  // level opened from a file, with that file's comment and blank lines kept.
  std::string Source() const;
  // Writes the source atomically into the set's folder (made when missing):
  // to the file it came from when that is in the folder, else to a new file
  // numbered after the set's last. A level that fails the checks is saved all
  // the same, as a draft; the caller says so from Problem().
  TSaveResult Save(const std::string& setFolder);
  // The folder of its file ("." for a bare file name), "" for a new level.
  std::string Folder() const;

private:
  struct TStep {
    std::vector<uint8_t> map;
    std::string name;
  };
  static constexpr size_t UndoDepth = 100;

  std::vector<uint8_t> map;
  std::string opened;  // the text of the source it was opened from, "" for a new level
  std::vector<TStep> undo, redo;
  bool inStroke = false;
  bool strokeChanged = false;

  uint8_t* Cell(int column, int row);
  void Remember();
  bool StepBack(std::vector<TStep>& from, std::vector<TStep>& to);
};
