// Fuzz target: the level compiler. An even first byte takes the rest as a
// level source, an odd one as a map; whatever is accepted must print and
// compile back to the very same bytes.
#include "fuzzenv.h"
#include "levels/levelformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string text(data + 1, data + size);
  try {
    std::vector<uint8_t> map;
    std::string name = "fuzz";
    if (data[0] % 2 == 0) {
      TCompiledLevel level = CompileSource(text, "fuzz.lvl");
      map = level.bytes;
      name = level.name;
    } else {
      map.assign(text.begin(), text.end());
    }
    const std::string source = PrintMap(map, name, "fuzz.map");
    const TCompiledLevel again = CompileSource(source, "printed.lvl");
    if (again.bytes != map || again.name != name) Finding("a printed map compiles to other bytes");
  } catch (const TLevelError& e) {
    const std::string message = e.what();
    if (message.empty() || message.find('\n') != std::string::npos) Finding("levelc message: " + message);
  }
  return 0;
}
