#include "pellimore/check/download_mark.h"

namespace {

constexpr std::string_view markStart = "; Saved by Pellimore-editor.html as a download";

std::string_view withoutFirstMark(std::string_view bytes) {
    if (!startsWithDownloadMark(bytes)) return bytes;
    const std::size_t feed = bytes.find('\n');
    return feed == std::string_view::npos ? std::string_view() : bytes.substr(feed + 1);
}

}  // namespace

std::string withDownloadMark(std::string_view bytes, std::string_view savedAt) {
    const std::string_view rest = withoutFirstMark(bytes);
    const bool windowsLineEnds = rest.find("\r\n") != std::string_view::npos || rest.empty();
    std::string marked(markStart);
    marked += " on ";
    // The time is the page's text: nothing in it may end the line early.
    for (const char character : savedAt)
        if (static_cast<unsigned char>(character) >= 0x20) marked += character;
    marked += windowsLineEnds ? "\r\n" : "\n";
    return marked.append(rest);
}

bool startsWithDownloadMark(std::string_view bytes) { return bytes.starts_with(markStart); }
