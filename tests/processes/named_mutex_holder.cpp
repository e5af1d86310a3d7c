// A second process for the named-mutex tests: opens the mutex named by its argument,
// prints whether it got a handle and the last error, and holds the handle until its
// standard input closes.
#include <windows.h>

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    // Exit status 2: no name, or one that is not UTF-8 or is too long.
    WCHAR name[MAX_PATH + 2] = {};
    if (argc != 2 ||
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, argv[1], -1, name, MAX_PATH + 2) == 0) {
        return 2;
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    std::printf("%s %u\n", mutex != nullptr ? "handle" : "none", static_cast<unsigned>(error));
    std::fflush(stdout);
    char byte = 0;
    while (read(STDIN_FILENO, &byte, 1) > 0) {
    }
    if (mutex != nullptr) {
        CloseHandle(mutex);
    }
    return 0;
}
