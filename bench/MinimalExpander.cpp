// The extraction benchmark's yardstick: expands files with LZ32 and nothing else.
//   MinimalExpander <from folder> <to folder> <name>...
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    for (int i = 3; i < argc; ++i) {
        std::string from = std::string(argv[1]) + "\\" + argv[i];
        std::string to = std::string(argv[2]) + "\\" + argv[i];
        OFSTRUCT sourceInfo, targetInfo;
        // Opened for writing, LZOpenFileA hands back the plain file; LZCopy refuses a
        // handle that failed to open, and LZClose closes either kind.
        INT source = LZOpenFileA(from.data(), &sourceInfo, OF_READ);
        INT target = LZOpenFileA(to.data(), &targetInfo, OF_CREATE);
        const LONG copied = LZCopy(source, target);
        LZClose(source);
        LZClose(target);
        if (copied < 0)
            return 1;
    }
    return argc < 4 ? 2 : 0;
}
