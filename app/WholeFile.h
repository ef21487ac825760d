// Reading a whole host file into memory, refusing files far larger than any
// file of that kind could be.
#pragma once

#include <cstdint>
#include <string>

// Reads the file at `posixPath` into `text`. A missing or unreadable file, or
// one larger than `limit` bytes, fails with a message naming `kind`.
bool ReadWholeFile(const std::string& posixPath, std::uintmax_t limit, const char* kind, std::string& text,
                   std::string& error);
