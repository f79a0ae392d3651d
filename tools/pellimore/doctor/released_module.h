// The SHA-256 of the Pellimore.asi this release ships, compiled into the tool
// from the module built beside it (the build is reproducible, so a download of
// the release holds exactly those bytes). A file in the game folder, which any
// other mod could overwrite, is never the source. "" where no module is built
// beside the tool (native builds).
#pragma once

const char* releasedModuleDigest();

// The SHA-256 of the Pellimore.ini the release's archive holds (Windows line
// ends), so a byte-for-byte copy of it is known as the shipped keys.
const char* releasedSettingsDigest();
