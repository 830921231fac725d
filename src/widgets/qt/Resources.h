// The compiled-in resources (icons, help pages) of the static widgets library
// must be registered once before use; the font substitutions are set here too.
#pragma once

namespace zeb {
void InitGuiResources();
// Tooltips in the hint colour the frame sets: yellow (RGB 255, 255, 0) with black text.
void UseHintColour();
}
