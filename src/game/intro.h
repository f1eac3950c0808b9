// The start-up intro: maker's logo, "PRESENTS", the star field and the title slide.
#pragma once

void DrawIntroFrame();
