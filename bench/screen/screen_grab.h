#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace bench {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    int area() const { return width * height; }
};

// One picture of a rectangle of the screen, 4 bytes a pixel as the server keeps them.
using Pixels = std::vector<std::uint8_t>;

// Reads rectangles of the X screen (what is shown, windows and all) through
// shared memory, so that polling a few thousand times a second stays cheap
// for the server that the program under test draws through as well.
class ScreenGrab {
public:
    // Connects to $DISPLAY; throws std::runtime_error saying what is missing.
    ScreenGrab();
    ~ScreenGrab();
    ScreenGrab(const ScreenGrab &) = delete;
    ScreenGrab &operator=(const ScreenGrab &) = delete;

    int screenWidth() const { return m_width; }
    int screenHeight() const { return m_height; }
    // The pixels of `r` (clipped to the screen by the caller); throws when the server refuses.
    Pixels grab(const Rect &r);
    // Writes `r` as a binary PPM picture, to look at what the bench saw.
    void savePpm(const Rect &r, const std::string &path);

private:
    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_root = 0;
    int m_width = 0, m_height = 0;
    int m_shmId = -1;
    std::uint32_t m_segment = 0;
    std::uint8_t *m_memory = nullptr;
};

} // namespace bench
