// Whether a diskette image holds what a Create Diskette run must leave: the
// boot sector and the raw area's data sectors from the image, and the two
// files with their bytes. The tables and the root directory (sectors 1-32)
// are left out: adding the files changes them, and how depends on who wrote
// the files.
#pragma once

#include <string>

#include "bench/support/DisketteBytes.h"

namespace bench {

// Empty when the diskette is right; otherwise what is wrong with it.
std::string checkDiskette(const Bytes& disk, const Bytes& image);

}  // namespace bench
