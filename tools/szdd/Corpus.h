// The inputs the packer is tried on: edge cases of the format and data of every kind.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "SzddPacker.h"

// Deterministic: the same names and bytes on every call.
std::vector<std::pair<std::string, Bytes>> MakeCorpus();
