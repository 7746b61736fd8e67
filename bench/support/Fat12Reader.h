// Reads a file back out of a FAT12 diskette image's root directory, so that
// every way of making the diskette is checked the same way. The FAT12
// library (platform/fat12) only writes; this is the other direction on its
// parser and table, kept to what the checks need (root directory, 8.3 names,
// first table copy).
#pragma once

#include <optional>
#include <string_view>

#include "bench/support/DisketteBytes.h"

namespace bench {

// `name` as it stands in a directory entry: 11 characters, space padded
// ("DSCK    TR "). Nothing when the entry is missing or its chain is broken.
std::optional<Bytes> readRootFile(const Bytes& disk, std::string_view name);

}  // namespace bench
