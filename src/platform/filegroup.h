// Files that change together or not at all (a table and the recordings of
// its rows), whatever the moment a crash or a power cut comes.
#pragma once
#include <string>
#include <vector>

struct TFileGroup {
  std::string journal;            // lists the changes while they are made
  std::vector<std::string> put;   // files whose new contents wait beside them (PrepareFile, PrepareCopy)
  std::vector<std::string> drop;  // files to delete
};

// Makes the group's changes. The journal naming them is written first,
// atomically: before it is there nothing has changed, and once it is the
// changes are certain, and a crash midway is finished by FinishFileGroup.
// On failure returns false with `error` set; when the journal could not be
// written, the prepared files are removed and the old files stand.
bool CommitFileGroup(const TFileGroup& group, std::string& error);
// Called before the files are read or saved again: finishes what a journal
// left by a crash lists, or, with no journal, removes what was prepared for
// `paths` and never committed. A journal naming anything outside `paths`
// is not the game's, and is set aside with one line on standard error.
void FinishFileGroup(const std::string& journal, const std::vector<std::string>& paths);
