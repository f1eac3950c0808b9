// bonusstages.dat: the best score of each kind of bonus stage played alone,
// a short text file of one "KIND SCORE" line per kind played.
#pragma once
#include <cstdint>
#include <string>

#include "platform/datafile.h"

// The best a kind was ever played alone for, 0 before the first time.
uint32_t BonusBest(const std::string& kind);
// Keeps a practice score when it beats the kind's best (read again first, so
// that another copy's best is not lost); `better` says whether it did.
TSaveResult KeepBonusScore(const std::string& kind, uint32_t score, bool& better);
