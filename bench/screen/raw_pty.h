#pragma once
#include <string>
#include <string_view>

namespace bench {

// A raw pseudo-terminal whose slave is held open here too, so that its input
// queue (the bytes the far side has not read yet) can be asked for at any time.
class RawPty {
public:
    // Throws std::runtime_error saying what failed.
    RawPty();
    ~RawPty();
    RawPty(const RawPty &) = delete;
    RawPty &operator=(const RawPty &) = delete;

    const std::string &slavePath() const { return m_slavePath; }
    // Writes all of `bytes`, waiting while the far side's queue is full; false on an error.
    bool write(std::string_view bytes);
    // Bytes written and not yet read on the slave side (TIOCINQ).
    int queuedForReader() const;
    // Reads and drops whatever the far side wrote, so that it never waits on us.
    void drainReplies();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

} // namespace bench
