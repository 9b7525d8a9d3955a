// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What every fuzz target shares: a check that stops the run with a message (the fuzzer keeps the input),
// and the target's entry. Built without the fuzzer, a target replays the files, or folders of files,
// given: the ordinary tests replay every seed and every input that once failed.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                              \
    ((condition) ? void() : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition), \
                             std::abort()))

void FuzzOne(const std::string& input);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzOne(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}

#ifndef ORVANE_FUZZ
int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
        fs::is_directory(argv[i]) ? void(inputs.insert(inputs.end(), fs::directory_iterator(argv[i]), {}))
                                  : void(inputs.emplace_back(argv[i]));
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::fprintf(stderr, "cannot read %s\n", path.string().c_str()), 2;
        std::ostringstream text;
        text << in.rdbuf();
        FuzzOne(text.str());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 2 : 0;
}
#endif
