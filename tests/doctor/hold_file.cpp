// Holds a file open the way an antivirus scan or a second program does,
// without FILE_SHARE_DELETE, so Windows refuses to move or remove it, until a
// second file appears (or half a minute has passed). Test-only, under wine.
// Usage: hold_file FILE RELEASE_WHEN_THIS_EXISTS
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const HANDLE held = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    for (int waited = 0; waited < 600 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++waited) Sleep(50);
    CloseHandle(held);
    return 0;
}
