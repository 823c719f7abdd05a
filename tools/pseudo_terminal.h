#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace compass_sim {

// A raw pseudo-terminal whose slave side stands in for the module's serial
// port. The slave is held open here as well, so a program that closes and
// reopens the port does not hang up the master.
class PseudoTerminal {
public:
    // Throws std::runtime_error saying what failed.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    const std::string &slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }
    // Writes all of `bytes` it can; drops the rest when the far end's buffer is full.
    void write(std::string_view bytes);

private:
    int m_master = -1;
    int m_keepSlave = -1;
    std::string m_slavePath;
};

// The symlink <dir>/COM<n> to a device, removed again on destruction.
class PortLink {
public:
    // Throws std::runtime_error when the link cannot be made, or when a file
    // that is not a symlink already has its name.
    PortLink(const std::filesystem::path &dir, int com, const std::string &target);
    ~PortLink();
    PortLink(const PortLink &) = delete;
    PortLink &operator=(const PortLink &) = delete;
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace compass_sim
