// The yardstick for a Create Diskette run on Linux: the same bytes to the
// same places with nothing but the system calls it takes. The raw area is 15
// pwrite()s at the transfers' offsets on an O_DSYNC descriptor of the
// target, the two files go through the FAT12 layer (fat12::Volume)
// directly, each made durable with one fdatasync() when it is complete, as
// the program's file close does. Every image read is one pread().
#pragma once

#include <filesystem>
#include <string>

#include "bench/support/DisketteBytes.h"

namespace bench {

class BareDiskette {
public:
    // Holds the 65,536-byte transfer buffer, allocated once here so a run
    // allocates only what the FAT12 layer itself does.
    BareDiskette();

    // Empty on success, otherwise the call that failed.
    std::string write(const std::filesystem::path& image, const std::filesystem::path& drive);

private:
    Bytes buffer_;
};

}  // namespace bench
