#pragma once
// What every fuzz target shares: a broken invariant says which one and aborts,
// so that libFuzzer keeps the input; and input cut into chunks, as a serial
// port delivers it, at each byte 0xFF.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline void expect(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline std::vector<std::string> chunksOf(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> chunks(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF)
            chunks.emplace_back();
        else
            chunks.back() += static_cast<char>(data[i]);
    }
    return chunks;
}
