// bonusstages.dat: read leniently (a line it cannot use is passed over),
// written whole and atomically under the data lock.
#include "store/bonusbest.h"

#include <map>
#include <sstream>

namespace {
const char* const FileName = "bonusstages.dat";
constexpr size_t MostBytes = 4096;

std::map<std::string, uint32_t> ReadTable() {
  std::map<std::string, uint32_t> table;
  std::vector<unsigned char> bytes;
  std::string error;
  if (!TryReadWholeFile(DataFilePath(FileName), MostBytes, bytes, error)) return table;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string kind;
  unsigned long score = 0;
  while (in >> kind >> score)
    if (score <= UINT32_MAX) table[kind] = static_cast<uint32_t>(score);
  return table;
}
}  // namespace

uint32_t BonusBest(const std::string& kind) {
  const std::map<std::string, uint32_t> table = ReadTable();
  const auto at = table.find(kind);
  return at == table.end() ? 0 : at->second;
}

TSaveResult KeepBonusScore(const std::string& kind, uint32_t score, bool& better) {
  better = false;
  if (PlayerFilesKept()) return {};
  CDataLock lock;
  std::map<std::string, uint32_t> table = ReadTable();
  if (score == 0 || score <= table[kind]) return {};
  better = true;
  table[kind] = score;
  std::string text;
  for (const auto& [name, best] : table) text += name + " " + std::to_string(best) + "\n";
  std::string error;
  if (!WriteFileAtomically(DataFilePath(FileName), std::vector<unsigned char>(text.begin(), text.end()),
                           error))
    return TSaveResult::Failed("the bonus stage scores", error);
  return {};
}
