// Files for the host tools and their tests: a whole file read into bytes, and a
// temporary folder that goes with its owner.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>

// Reads the whole file at `path`; false when it cannot be opened.
inline bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// A new folder under /tmp, removed with everything in it when its owner goes.
class HostTempFolder {
public:
    explicit HostTempFolder(const std::string& prefix)
    {
        std::string name = "/tmp/" + prefix + "-XXXXXX";
        path = mkdtemp(name.data());
    }
    ~HostTempFolder() { std::system(("rm -rf " + path).c_str()); }
    HostTempFolder(const HostTempFolder&) = delete;
    HostTempFolder& operator=(const HostTempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};
