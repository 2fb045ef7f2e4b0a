// libmspack's SZDD decompressor, through its own file reading: the yardstick the packer's
// output is expanded with, in its test and in its fuzz target.
#pragma once

#include <mspack.h>

#include <optional>
#include <string>

#include "HostFiles.h"
#include "SzddPacker.h"

// What libmspack expands the SZDD file at `packedPath` to (through `outPath`); nothing when
// it cannot, or when the file is not in the normal ("A") form.
inline std::optional<Bytes> ExpandWithLibmspack(const std::string& packedPath,
                                                const std::string& outPath)
{
    msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
    msszddd_header* header = szdd->open(szdd, const_cast<char*>(packedPath.c_str()));
    const bool expanded =
        header && header->format == MSSZDD_FMT_NORMAL &&
        szdd->extract(szdd, header, const_cast<char*>(outPath.c_str())) == MSPACK_ERR_OK;
    if (header)
        szdd->close(szdd, header);
    mspack_destroy_szdd_decompressor(szdd);
    return expanded ? std::optional(ReadBytes<Bytes>(outPath)) : std::nullopt;
}
