// The level editor's model: everything the editor screen changes goes
// through here, so that undo, the checks and saving see one level.
#include "levels/leveleditor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/types.h"
#include "levels/levelformat.h"
#include "levels/levelmap.h"

namespace fs = std::filesystem;

namespace {
constexpr size_t MaxSourceBytes = 64 * 1024;

bool Inside(int column, int row) {
  return column >= 0 && column < LevelColumns && row >= 0 && row < LevelRows;
}

std::vector<uint8_t> EmptyMap() {
  std::vector<uint8_t> map(LevelFileBytes, 0);
  std::memcpy(map.data(), MapTag, MapTagBytes);
  map[MapTagBytes] = MapVersion;
  return map;
}

// A file name from the level's name: lower-case letters and digits, the rest
// folded into single dashes.
std::string Slug(const std::string& name) {
  std::string slug;
  for (unsigned char c : name) {
    if (std::isalnum(c))
      slug += static_cast<char>(std::tolower(c));
    else if (!slug.empty() && slug.back() != '-')
      slug += '-';
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug.empty() ? "level" : slug;
}

// The next number in the set's file-name order, so a new level plays last.
std::string NewFileName(const std::string& folder, const std::string& name) {
  int last = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string file = it->path().filename().string();
    if (it->path().extension() == ".lvl" && !file.empty() &&
        std::isdigit(static_cast<unsigned char>(file[0])))
      last = std::max(last, std::atoi(file.c_str()));
  }
  char number[16];
  std::snprintf(number, sizeof number, "%02d-", last + 1);
  std::string file = number + Slug(name) + ".lvl";
  while (fs::exists(fs::path(folder) / file, error)) file.insert(file.size() - 4, "-new");
  return file;
}
}  // namespace

CLevelEditor::CLevelEditor() : map(EmptyMap()) {}

CLevelEditor CLevelEditor::Open(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadWholeFile(path, MaxSourceBytes);
  int rowLines[LevelRows];
  TCompiledLevel level = ParseSource(std::string(bytes.begin(), bytes.end()), path, rowLines);
  CLevelEditor editor;
  editor.map = std::move(level.bytes);
  editor.name = level.name;
  editor.path = path;
  editor.opened.assign(bytes.begin(), bytes.end());
  return editor;
}

uint8_t* CLevelEditor::Cell(int column, int row) {
  return &map[static_cast<size_t>(LevelHeaderBytes + 2 * (LevelColumns * row + column))];
}

uint8_t CLevelEditor::Colour(int column, int row) const {
  return Inside(column, row) ? map[static_cast<size_t>(LevelHeaderBytes + 2 * (LevelColumns * row + column))]
                             : 0;
}

uint8_t CLevelEditor::PowerUp(int column, int row) const {
  return Inside(column, row)
             ? map[static_cast<size_t>(LevelHeaderBytes + 2 * (LevelColumns * row + column) + 1)]
             : 0;
}

void CLevelEditor::Remember() {
  // Inside a stroke only its first change is remembered: the whole drag undoes at once.
  if (inStroke && strokeChanged) return;
  strokeChanged = true;
  undo.push_back({map, name});
  if (undo.size() > UndoDepth) undo.erase(undo.begin());
  redo.clear();
}

void CLevelEditor::BeginStroke() {
  inStroke = true;
  strokeChanged = false;
}

void CLevelEditor::EndStroke() { inStroke = false; }

void CLevelEditor::PaintColour(int column, int row, uint8_t colour) {
  if (!Inside(column, row) || colour > MaxColour) return;
  uint8_t* cell = Cell(column, row);
  const uint8_t powerUp = colour == bcNone || colour == bcGray ? 0 : cell[1];
  if (cell[0] == colour && cell[1] == powerUp) return;
  Remember();
  cell[0] = colour;
  cell[1] = powerUp;
}

void CLevelEditor::PaintPowerUp(int column, int row, uint8_t powerUp) {
  if (!Inside(column, row) || powerUp > MaxPowerUp) return;
  uint8_t* cell = Cell(column, row);
  if (cell[0] == bcNone || cell[0] == bcGray || cell[1] == powerUp) return;
  Remember();
  cell[1] = powerUp;
}

void CLevelEditor::MirrorLeftRight() {
  std::vector<uint8_t> mirrored = map;
  for (int row = 0; row < LevelRows; ++row)
    for (int column = 0; column < LevelColumns; ++column) {
      const size_t from = static_cast<size_t>(LevelHeaderBytes + 2 * (LevelColumns * row + column));
      const size_t to =
          static_cast<size_t>(LevelHeaderBytes + 2 * (LevelColumns * row + LevelColumns - 1 - column));
      mirrored[to] = map[from];
      mirrored[to + 1] = map[from + 1];
    }
  if (mirrored == map) return;
  Remember();
  map = std::move(mirrored);
}

void CLevelEditor::SetName(const std::string& newName) {
  if (newName == name) return;
  Remember();
  name = newName;
}

bool CLevelEditor::Undo() { return StepBack(undo, redo); }

bool CLevelEditor::Redo() { return StepBack(redo, undo); }

// Takes the level back to the last step of `from`, keeping today's in `to`.
bool CLevelEditor::StepBack(std::vector<TStep>& from, std::vector<TStep>& to) {
  if (from.empty()) return false;
  to.push_back({map, name});
  map = std::move(from.back().map);
  name = std::move(from.back().name);
  from.pop_back();
  return true;
}

std::string CLevelEditor::Problem() const {
  const std::string nameProblem = NameProblem(name);
  return nameProblem.empty() ? LevelProblem(map) : nameProblem;
}

std::string CLevelEditor::Source() const {
  return opened.empty() ? PrintMap(map, name, name) : ReprintSource(opened, map, name);
}

TSaveResult CLevelEditor::Save(const std::string& setFolder) {
  const std::string nameProblem = NameProblem(name);
  if (!nameProblem.empty()) return TSaveResult::Failed("the changes to the level", nameProblem);
  std::string folder = setFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  std::error_code error;
  const bool sameFolder = !path.empty() && fs::equivalent(Folder(), fs::path(folder), error);
  const std::string target = sameFolder ? path : folder + NewFileName(folder, name);
  const std::string text = Source();
  std::string why;
  if (!WriteFileAtomically(target, std::vector<unsigned char>(text.begin(), text.end()), why))
    return TSaveResult::Failed("the changes to the level", why);
  path = target;
  return {};
}

std::string CLevelEditor::Folder() const {
  if (path.empty()) return "";
  const std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}
