// The cabinet read by libmspack through an mspack_system of our own whose files are
// memory streams: the cabinet's bytes, and the bytes each file is extracted into. Then
// what libmspack reads more leniently than the device: the header and the file entries.
#include "CabinetFiles.h"

#include <mspack.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// Where the header and a file entry hold what is checked here, and the sizes of their parts.
constexpr size_t FilesAt = 16, FolderCountAt = 26, FileCountAt = 28, FolderReserveAt = 38,
                 FileFolderAt = 8;
constexpr size_t HeaderSize = 36, HeaderReserveSize = 4, FolderSize = 8, FileEntrySize = 16;
static_assert(MSPACK_SYS_SEEK_START == SEEK_SET && MSPACK_SYS_SEEK_CUR == SEEK_CUR &&
              MSPACK_SYS_SEEK_END == SEEK_END);

struct MemorySystem : mspack_system {
    Bytes* cabinet;
    char* written = nullptr;  // what libmspack extracts, until the stream is closed
    size_t writtenSize = 0;
};

FILE* Stream(mspack_file* file) { return reinterpret_cast<FILE*>(file); }

mspack_file* Open(mspack_system* self, const char*, int mode)
{
    auto& system = *static_cast<MemorySystem*>(self);
    return reinterpret_cast<mspack_file*>(
        mode == MSPACK_SYS_OPEN_READ
            ? fmemopen(system.cabinet->data(), system.cabinet->size(), "rb")
            : open_memstream(&system.written, &system.writtenSize));
}

void Close(mspack_file* file) { std::fclose(Stream(file)); }
int Read(mspack_file* file, void* to, int size) { return int(fread(to, 1, size, Stream(file))); }
int Write(mspack_file* file, void* from, int n) { return int(fwrite(from, 1, n, Stream(file))); }
// A memory stream refuses a seek past its end, which libmspack takes for a cabinet that ends early.
int Seek(mspack_file* file, off_t offset, int mode) { return fseeko(Stream(file), offset, mode); }
off_t Tell(mspack_file* file) { return ftello(Stream(file)); }
void Message(mspack_file*, const char*, ...) {}  // libmspack's warnings: its errors are what count
void* Allocate(mspack_system*, size_t size) { return std::malloc(size); }
void Copy(void* from, void* to, size_t size) { std::memmove(to, from, size); }

std::string Why(int error)
{
    return error == MSPACK_ERR_CHECKSUM   ? "a data block fails its checksum"
           : error == MSPACK_ERR_DECRUNCH ? "its data does not decompress within its folder"
           : error == MSPACK_ERR_READ || error == MSPACK_ERR_SEEK
               ? "it runs past the cabinet's end"
               : "its entries or data are malformed (libmspack error " + std::to_string(error) +
                     ")";
}

// libmspack reads the file entries right after the folder entries, whatever the header
// says; it passes over the rest of the list at an entry whose folder does not exist, and
// takes a file continued from or into another cabinet. The device does none of these.
std::string CheckEntries(const Bytes& b, const mscabd_cabinet& cabinet)
{
    if (b[25] != 1)
        return "unsupported cabinet version " + std::to_string(b[25]) + "." + std::to_string(b[24]);
    // The device installs one cabinet: a set that continues in another cannot be installed.
    if (cabinet.flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB))
        return "part of a cabinet set spanning several files";
    const bool reserve = cabinet.flags & MSCAB_HDR_RESV;
    size_t at = HeaderSize + (reserve ? HeaderReserveSize + cabinet.header_resv : 0) +
                U16(b, FolderCountAt) * (FolderSize + (reserve ? b[FolderReserveAt] : 0));
    if (U32(b, FilesAt) != at)
        return "its file entries do not follow its " + std::to_string(U16(b, FolderCountAt)) +
               " folder entries";
    uint32_t listed = 0;
    for (const mscabd_file* file = cabinet.files; file; file = file->next, ++listed) {
        const std::string name = file->filename;
        if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < ' '; }))
            return "holds a file name with a control character";
        if (U16(b, at + FileFolderAt) >= U16(b, FolderCountAt))
            return name + " lies in no folder of this cabinet";
        at += FileEntrySize + name.size() + 1;
    }
    if (listed != U16(b, FileCountAt))
        return "lists " + std::to_string(U16(b, FileCountAt)) + " files, of which " +
               std::to_string(listed) + " can be read";
    return "";
}

}  // namespace

std::string ExtractCabinet(Bytes bytes, std::vector<CabinetFile>& files)
{
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "MSCF", 4) != 0)
        return "not a cabinet (no MSCF header)";
    MemorySystem system{
        {Open, Close, Read, Write, Seek, Tell, Message, Allocate, std::free, Copy, nullptr},
        &bytes};
    const std::unique_ptr<mscab_decompressor, void (*)(mscab_decompressor*)> cabd(
        mspack_create_cab_decompressor(&system), mspack_destroy_cab_decompressor);
    if (!cabd)
        return "libmspack cannot start";
    // Every block's checksum counts: nothing salvaged, no MSZIP block passed over.
    cabd->set_param(cabd.get(), MSCABD_PARAM_SALVAGE, 0);
    cabd->set_param(cabd.get(), MSCABD_PARAM_FIXMSZIP, 0);
    const auto close = [&cabd](mscabd_cabinet* cabinet) { cabd->close(cabd.get(), cabinet); };
    const std::unique_ptr<mscabd_cabinet, decltype(close)> cabinet(
        cabd->open(cabd.get(), "cabinet"), close);
    if (!cabinet)
        return "not a whole cabinet: " + Why(cabd->last_error(cabd.get()));
    if (std::string reason = CheckEntries(bytes, *cabinet); !reason.empty())
        return reason;
    files.clear();
    for (mscabd_file* file = cabinet->files; file; file = file->next) {
        const int error = cabd->extract(cabd.get(), file, "extracted");
        files.push_back({file->filename, {}});
        if (system.written)  // none when libmspack gave up before it opened the file
            files.back().data.assign(system.written, system.written + system.writtenSize);
        std::free(std::exchange(system.written, nullptr));
        if (error)
            return files.back().name + " cannot be extracted: " + Why(error);
    }
    return "";
}
