// Fuzz target: the level editor's round trip. The input is a level source,
// opened as the editor opens a file; one it opens it saves back over that
// file, and what it saved opens to the same level and saves to the very same
// text. A source it cannot open is refused with one line naming the file.
#include <algorithm>
#include <filesystem>
#include <string>

#include "fuzzenv.h"
#include "levels/leveleditor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  const std::string folder = "editset", path = folder + "/in.lvl";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  WriteScratchFile(path, data, size);
  CLevelEditor level;
  if (!Accepted(path, [&] { level = CLevelEditor::Open(path); })) return 0;
  const TSaveResult saved = level.Save(folder);
  if (!saved) Finding("a level the editor opened could not be saved: " + saved.error);
  if (level.path != path) Finding("the level was not saved over the file it came from: " + level.path);
  const TBytes text = ReadScratchFile(path);
  // The source's comments are kept.
  const std::string input(reinterpret_cast<const char*>(data), size), written(text.begin(), text.end());
  for (size_t from = 0; from < input.size();) {
    const size_t end = std::min(input.find('\n', from), input.size());
    const std::string line = input.substr(from, end - from);
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t\r");
    if (first != std::string::npos && line[first] == '#' &&
        written.find(line.substr(first, last - first + 1)) == std::string::npos)
      Finding("a comment was dropped: " + line);
    from = end + 1;
  }
  CLevelEditor again;
  if (!Accepted(path, [&] { again = CLevelEditor::Open(path); }))
    Finding("a level the editor saved does not open");
  if (again.Map() != level.Map() || again.name != level.name) Finding("a saved level opens as another level");
  // Mirrored twice and undone, it is the level it was.
  again.MirrorLeftRight();
  again.MirrorLeftRight();
  if (again.Map() != level.Map()) Finding("mirroring twice changed the level");
  while (again.Undo()) {
  }
  if (again.Map() != level.Map()) Finding("undoing every step did not give back the level opened");
  if (!again.Save(folder) || ReadScratchFile(path) != text)
    Finding("saving the same level again changed its text");
  return 0;
}
