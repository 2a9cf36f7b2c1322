#pragma once
// Text operations on Shift_JIS bytes that both editors share, so they agree byte for byte.

#include "app/Types.h"
#include "editor/EditorControl.h"

namespace pemrin {

// CR LF, lone CR and lone LF all become CR LF, as the control stores line breaks.
Bytes NormalizeLineBreaks(const Bytes& text);

// Position of the first occurrence of needle in text that starts and ends on character
// boundaries within [start, start + length), or -1. `start` must be a character boundary.
// Without match case, ASCII letters and full-width Latin letters match either case; whole word
// takes ASCII letters, digits and underscore as word characters (Japanese text is a boundary).
// An empty needle finds nothing.
int FindSjisText(const Bytes& text, const Bytes& needle, int start, int length,
                 FindOptions options);

}  // namespace pemrin
