// The line the settings editor page puts first in every file it saves as a
// download, so the doctor can find the player's newest keys in Downloads (a
// browser may name the file "Pellimore (1).ini") and tell them from any other
// file there. To the game it is a comment; a save into the opened file
// carries none.
#pragma once

#include <string>
#include <string_view>

// "; Saved by Pellimore-editor.html as a download on 2026-12-09 14:05": the
// bytes with that line first, in the file's own line ends, and any earlier
// such line gone, so saving again never repeats it.
std::string withDownloadMark(std::string_view bytes, std::string_view savedAt);

// Whether the file's first line is that mark.
bool startsWithDownloadMark(std::string_view bytes);
