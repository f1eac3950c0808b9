// A group of file changes made through a journal: prepare every new file,
// write the journal (the moment the change is made), rename, drop the journal.
#include "platform/filegroup.h"

#include <algorithm>
#include <cstdio>

#include "platform/datafile.h"

namespace {
const char* const Head = "rebounder-file-group 1";
constexpr size_t MostJournalBytes = 64 * 1024;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// A path as the journal writes it: from the journal's own folder, so that the
// group still finishes when the folder is reached another way.
std::string Entry(const std::string& folder, const std::string& path) {
  return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

void RemovePrepared(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) std::remove((path + ".new").c_str());
}

// Renames what waits and deletes what goes; each step can be made again.
bool MakeChanges(const std::vector<std::string>& put, const std::vector<std::string>& drop,
                 std::string& error) {
  bool ok = true;
  std::string failed;
  for (const std::string& path : put)
    if (FileExists(path + ".new") && !CommitFile(path, failed) && ok) {
      ok = false;
      error = failed;
    }
  // A file that cannot be deleted (its folder gone or read-only) stays as it
  // was: the other changes stand, and trying again would change nothing.
  for (const std::string& path : drop) std::remove(path.c_str());
  return ok;
}
}  // namespace

bool CommitFileGroup(const TFileGroup& group, std::string& error) {
  const std::string folder = FolderOf(group.journal);
  std::string text = std::string(Head) + "\n";
  for (const std::string& path : group.put) text += "put " + Entry(folder, path) + "\n";
  for (const std::string& path : group.drop) text += "drop " + Entry(folder, path) + "\n";
  if (!WriteFileAtomically(group.journal, {text.begin(), text.end()}, error)) {
    RemovePrepared(group.put);
    return false;
  }
  if (!MakeChanges(group.put, group.drop, error)) return false;
  std::remove(group.journal.c_str());
  return true;
}

void FinishFileGroup(const std::string& journal, const std::vector<std::string>& paths) {
  std::remove((journal + ".new").c_str());  // a journal never written in full commits nothing
  std::vector<unsigned char> bytes;
  std::string error;
  if (!TryReadWholeFile(journal, MostJournalBytes, bytes, error)) {
    if (!error.empty()) std::fprintf(stderr, "rebounder: %s\n", error.c_str());
    RemovePrepared(paths);
    return;
  }
  const std::string text(bytes.begin(), bytes.end()), folder = FolderOf(journal);
  std::vector<std::string> put, drop;
  bool ours = text.compare(0, std::string(Head).size() + 1, std::string(Head) + "\n") == 0;
  for (size_t from = std::string(Head).size() + 1, eol; ours && from < text.size(); from = eol + 1) {
    eol = text.find('\n', from);
    const std::string line = text.substr(from, eol == std::string::npos ? std::string::npos : eol - from);
    const bool putLine = line.compare(0, 4, "put ") == 0, dropLine = line.compare(0, 5, "drop ") == 0;
    const std::string path = folder + line.substr(putLine ? 4 : 5);
    ours = eol != std::string::npos && (putLine || dropLine) &&
           std::find(paths.begin(), paths.end(), path) != paths.end();
    (putLine ? put : drop).push_back(path);
  }
  if (!ours) {
    std::string aside = SetFileAside(journal, error);
    std::fprintf(stderr, "rebounder: %s: not a list of changes this game made; %s\n", journal.c_str(),
                 aside.empty() ? error.c_str() : ("moved aside to " + aside).c_str());
    RemovePrepared(paths);
    return;
  }
  if (!MakeChanges(put, drop, error)) {
    std::fprintf(stderr, "rebounder: a save cut short could not be finished: %s\n", error.c_str());
    return;
  }
  std::remove(journal.c_str());
  RemovePrepared(paths);
}
