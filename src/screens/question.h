// The yes/no question in a framed box over the game or the menu: leaving
// during a game, and skipping a level in play.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "base/types.h"
#include "media/font.h"

// Opens the question; nothing in the game moves until it is answered.
void AskQuestion(TQuestion question);
// Answers the open question from a key press (y or Enter yes, n or Escape
// no) or a click on its "yes" or "no" mark; other events do nothing.
void AnswerQuestion(const SDL_Event& e);
void DrawQuestion();
// The question texts, as drawn, with the column each must end before.
std::vector<TFixedText> QuestionFixedTexts();
