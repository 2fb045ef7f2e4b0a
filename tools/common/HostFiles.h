// Files for the host tools and their tests: whole files read and written as bytes, and a
// temporary folder that goes with its owner.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <stdlib.h>

// Reads the whole file at `path` into `bytes`; false when it is no file that can be read.
template <typename Container> bool ReadWholeFile(const std::string& path, Container& bytes)
{
    std::error_code error;
    std::ifstream in(path, std::ios::binary);
    if (!std::filesystem::is_regular_file(path, error) || !in)
        return false;  // a folder opens as a stream too, of no sensible size
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes `data` as the whole file at `path`; false when it cannot.
inline bool WriteBytes(const std::string& path, std::string_view data)
{
    return !std::ofstream(path, std::ios::binary).write(data.data(), data.size()).fail();
}
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& data)
{
    return WriteBytes(path,
                      std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

// The whole file at `path` as bytes of `Container`'s kind; empty when it cannot be read.
template <typename Container> Container ReadBytes(const std::string& path)
{
    Container bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

// A new folder under /tmp, removed with everything in it when its owner goes.
class HostTempFolder {
public:
    explicit HostTempFolder(const std::string& prefix) : path("/tmp/" + prefix + "-XXXXXX")
    {
        mkdtemp(path.data());  // the name's last six characters made unique, in place
    }
    ~HostTempFolder() { std::system(("rm -rf " + path).c_str()); }
    HostTempFolder(const HostTempFolder&) = delete;
    HostTempFolder& operator=(const HostTempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};
