// A fuzz target: LLVMFuzzerTestOneInput gets each input. Built with clang's
// -fsanitize=fuzzer for fuzzing (scripts/fuzz.sh), and with CorpusRunner.cpp
// for the test command, which runs every kept input once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input as wide text: UTF-8 decoded, invalid sequences replaced.
std::wstring Wide(const std::uint8_t* data, std::size_t size);

// Ends the run as a finding (a sanitizer-visible abort).
[[noreturn]] void Finding(const char* what);

}  // namespace fuzz
