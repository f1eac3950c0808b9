// The help pages about the modes a player may not find alone: the hot seat,
// the daily and random level sets, continuing a kept game, the frame rate
// and the themes.
#include "menus/modepages.h"

std::vector<THelpLine> HotSeatPage() {
  return KeyRowLines(136, {
                              {"", "hot seat"},
                              {"Two to four players share one game in turns.", ""},
                              {"On the new game screen Tab moves to the lines", ""},
                              {"under the difficulties:", ""},
                              {"", ""},
                              {"players", "left, right: how many, 1 to 4"},
                              {"names", "left, right choose one; type it"},
                              {"tab", "on to the next line, and back"},
                              {"enter", "start the game"},
                              {"", ""},
                              {"A lost life passes the turn to the next player", ""},
                              {"with a life left; each keeps their own score,", ""},
                              {"lives, lap and field. The left panel lists every", ""},
                              {"player. At the end each score that makes the", ""},
                              {"table enters it under its player's name.", ""},
                          });
}

std::vector<THelpLine> GeneratedSetsPage() {
  return KeyRowLines(136, {
                              {"", "daily and random sets"},
                              {"On the new game screen left and right choose", ""},
                              {"the level set: the built-in levels, your own", ""},
                              {"sets, today's daily set and a random one.", ""},
                              {"", ""},
                              {"A made set grows from its seed, a number: the", ""},
                              {"daily set's is today's date, so every player", ""},
                              {"has the same levels that day; a random set", ""},
                              {"takes a new seed each time. The set line shows", ""},
                              {"the seed. Each set keeps its own high scores.", ""},
                              {"", ""},
                              {"To share a set, share its seed: the command", ""},
                              {"rebounder --generate SEED DIR writes the same", ""},
                              {"levels, and rebounder --levels DIR plays them.", ""},
                          });
}

std::vector<THelpLine> ContinuePage() {
  return KeyRowLines(136, {
                              {"", "continue"},
                              {"A game you leave before it is over is kept,", ""},
                              {"however the game ends: by exit, a closed", ""},
                              {"window, even a crash (under a second is lost).", ""},
                              {"", ""},
                              {"At the next start continue on the main menu", ""},
                              {"goes on exactly where you stopped: the same", ""},
                              {"bricks, balls, score, lives and powers, on its", ""},
                              {"own level set, with every player of a hot seat.", ""},
                              {"", ""},
                              {"A new game, or losing the last life, throws", ""},
                              {"the kept game away.", ""},
                          });
}

std::vector<THelpLine> FrameRatePage() {
  return KeyRowLines(136, {
                              {"", "frame rate"},
                              {"The game moves 40 times a second, whatever it", ""},
                              {"shows. Options, settings, frame rate chooses", ""},
                              {"how many pictures a second it draws:", ""},
                              {"", ""},
                              {"display", "the screen's rate (60 if unknown)"},
                              {"60, 120, 144", "that many pictures a second"},
                              {"40", "one picture a move, as of old"},
                              {"", ""},
                              {"Between moves the ball and the paddle are drawn", ""},
                              {"where they are on the way, so play looks smooth", ""},
                              {"on any screen. Recordings play the same at", ""},
                              {"every rate.", ""},
                          });
}

std::vector<THelpLine> ThemesPage() {
  return KeyRowLines(136, {
                              {"", "themes"},
                              {"A theme changes the pictures, the letters and", ""},
                              {"the sounds, never the game itself. Choose one", ""},
                              {"on the theme row of options, settings.", ""},
                              {"", ""},
                              {"classic", "the game's own look"},
                              {"neon", "light tubes on dark glass"},
                              {"paper", "ink and washes on paper"},
                              {"contrast", "plain, strong colours for weak sight"},
                              {"", ""},
                              {"", "your own"},
                              {"Put pictures and sounds in a folder in", ""},
                              {"~/.local/share/rebounder/themes/, named as the", ""},
                              {"game's own; what you leave out comes from classic.", ""},
                              {"docs/themes.md tells every file and its size.", ""},
                          });
}

std::vector<THelpLine> SettingsPage() {
  return KeyRowLines(136, {
                              {"", "settings"},
                              {"Options, then settings, holds these rows.", ""},
                              {"", ""},
                              {"volumes", "effects and music, 0 to 10"},
                              {"mouse speed", "how far the paddle follows"},
                              {"keys", "left, right, fire and pause"},
                              {"scale", "auto, 1x up to what fits, fill"},
                              {"fill", "as high as the screen, still sharp"},
                              {"music in play", "the music goes on in play"},
                              {"frame rate", "the display's, 40, 60, 120, 144"},
                              {"theme", "the look: pictures and sounds"},
                              {"", ""},
                              {"Auto is the largest whole scale, but a full", ""},
                              {"screen it leaves over a tenth black fills.", ""},
                          });
}

std::vector<THelpLine> BonusStagesPage() {
  return KeyRowLines(136, {
                              {"", "bonus stages"},
                              {"After every fifth level of a daily, random or", ""},
                              {"generated set comes a short stage with a rule", ""},
                              {"of its own (in the other sets too when the", ""},
                              {"\"bonus stages\" setting is on). It never costs", ""},
                              {"a life; the clock below the field counts down.", ""},
                              {"", ""},
                              {"rain", "catch the capsules, dodge the bubbles"},
                              {"keep-up", "keep every ball up, each hit pays"},
                              {"gallery", "fire at the bubbles drifting by"},
                              {"wall", "clear the wall before it comes down"},
                              {"", ""},
                              {"On the new game screen 1 to 4 play one alone,", ""},
                              {"for its own best score.", ""},
                          });
}
