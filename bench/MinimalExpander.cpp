// The extraction benchmark's yardstick: expands files with LZ32 and nothing else.
//   MinimalExpander <from folder> <to folder> <name>...
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    for (int i = 3; i < argc; ++i) {
        std::string from = std::string(argv[1]) + "\\" + argv[i];
        std::string to = std::string(argv[2]) + "\\" + argv[i];
        OFSTRUCT sourceInfo, targetInfo;
        INT source = LZOpenFileA(&from[0], &sourceInfo, OF_READ);
        auto target = static_cast<INT>(OpenFile(to.c_str(), &targetInfo, OF_CREATE));
        LONG copied = (source >= 0 && target >= 0) ? LZCopy(source, target) : -1;
        if (source >= 0)
            LZClose(source);
        if (target >= 0)
            LZClose(target);
        if (copied < 0)
            return 1;
    }
    return 0;
}
