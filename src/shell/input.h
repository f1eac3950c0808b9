// Input dispatch: turns each polled SDL event into paddle motion, the fire
// input, pause and resume, menu keys and the level-skip key.
#pragma once

void DispatchEvent();
