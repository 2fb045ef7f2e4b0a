// Files for the host tools and their tests: a whole file read into bytes, and a
// temporary folder that goes with its owner.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>

// Reads the whole file at `path`; false when it cannot be opened.
inline bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;  // a folder opens as a stream too, of no sensible size
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0)
        return false;
    // Sized once and read in one go: the libraries the import check reads are megabytes.
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(in);
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
