// Shared by the fuzz targets: the readers that take a path get the input through a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelkit::fuzz {

// A private directory made once per process and removed at exit.
const std::string& scratchDirectory();

// Writes the N bytes at DATA to NAME in the scratch directory and returns its path.
std::string writeScratchFile(const std::string& name, const uint8_t* data, size_t n);

// Ends the process with a finding when CONDITION is false: libFuzzer keeps the input.
void check(bool condition, const char* what);

}  // namespace pelkit::fuzz
