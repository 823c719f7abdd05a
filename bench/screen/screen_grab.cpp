#include "bench/screen/screen_grab.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace bench {

ScreenGrab::ScreenGrab()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        throw std::runtime_error("cannot connect to the X display (is DISPLAY set?)");
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_root = screen->root;
    m_width = screen->width_in_pixels;
    m_height = screen->height_in_pixels;
    xcb_shm_query_version_reply_t *shm =
        xcb_shm_query_version_reply(m_connection, xcb_shm_query_version(m_connection), nullptr);
    if (!shm)
        throw std::runtime_error("the X server has no MIT-SHM extension");
    std::free(shm);
    m_shmId = ::shmget(IPC_PRIVATE, std::size_t(m_width) * m_height * 4, IPC_CREAT | 0600);
    if (m_shmId < 0)
        throw std::runtime_error("cannot get shared memory for the screen");
    m_memory = static_cast<std::uint8_t *>(::shmat(m_shmId, nullptr, 0));
    // Removed now, freed when both sides have let go of it, even if we are killed.
    ::shmctl(m_shmId, IPC_RMID, nullptr);
    m_segment = xcb_generate_id(m_connection);
    xcb_generic_error_t *error =
        xcb_request_check(m_connection, xcb_shm_attach_checked(m_connection, m_segment, m_shmId, 0));
    if (error) {
        std::free(error);
        throw std::runtime_error("the X server cannot attach shared memory (is it on another machine?)");
    }
}

ScreenGrab::~ScreenGrab()
{
    xcb_shm_detach(m_connection, m_segment);
    xcb_flush(m_connection);
    ::shmdt(m_memory);
    xcb_disconnect(m_connection);
}

Pixels ScreenGrab::grab(const Rect &r)
{
    xcb_generic_error_t *error = nullptr;
    xcb_shm_get_image_reply_t *reply = xcb_shm_get_image_reply(
        m_connection,
        xcb_shm_get_image(m_connection, m_root, static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y),
                          static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(r.height), ~0u,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, m_segment, 0),
        &error);
    if (!reply) {
        std::free(error);
        throw std::runtime_error("the X server refused a picture of " + std::to_string(r.width) + "x"
                                 + std::to_string(r.height) + "+" + std::to_string(r.x) + "+" + std::to_string(r.y));
    }
    std::free(reply);
    return Pixels(m_memory, m_memory + std::size_t(r.width) * r.height * 4);
}

void ScreenGrab::savePpm(const Rect &r, const std::string &path)
{
    const Pixels pixels = grab(r);
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    std::fprintf(file, "P6\n%d %d\n255\n", r.width, r.height);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const std::uint8_t rgb[3] = {pixels[i + 2], pixels[i + 1], pixels[i]};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}

} // namespace bench
