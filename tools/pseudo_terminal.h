#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace compass_sim {

// A raw pseudo-terminal whose slave side stands in for a serial port.
// HeldOpen: the slave is held open here as well, so a program that closes and
// reopens the port does not hang up the master. LeftToProgram: only the
// program holds it, so the master can tell whether the port is open.
class PseudoTerminal {
public:
    enum class Slave { HeldOpen, LeftToProgram };
    // Throws std::runtime_error saying what failed.
    explicit PseudoTerminal(Slave slave = Slave::HeldOpen);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    const std::string &slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }
    // Writes all of `bytes` it can and returns how many; drops the rest when
    // the far end's buffer is full.
    std::size_t write(std::string_view bytes);
    // Whether a program has the slave side open (always, while it is held open here).
    bool slaveOpen() const;

private:
    int m_master = -1;
    int m_keepSlave = -1;
    std::string m_slavePath;
};

// The symlink <dir>/COM<n> to a device, removed again on destruction.
class PortLink {
public:
    // Makes `dir` when only its last part is missing. Throws std::runtime_error
    // when the link cannot be made, or when a file that is not a symlink
    // already has its name.
    PortLink(const std::filesystem::path &dir, int com, const std::string &target);
    ~PortLink();
    PortLink(const PortLink &) = delete;
    PortLink &operator=(const PortLink &) = delete;
    const std::filesystem::path &path() const { return m_path; }
    // Whether the folder was made for the link (and is left behind for the program's links).
    bool madeFolder() const { return m_madeFolder; }

private:
    std::filesystem::path m_path;
    bool m_madeFolder = false;
};

} // namespace compass_sim
