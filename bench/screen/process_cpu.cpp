#include "bench/screen/process_cpu.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <unistd.h>

namespace bench {

std::int64_t processTicks(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold spaces; the fields after it are plain.
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(nameEnd + 2));
    std::string field;
    std::int64_t utime = 0, stime = 0;
    // Fields 3 (state) to 13 come before utime (14) and stime (15).
    for (int i = 3; i <= 13; ++i)
        fields >> field;
    fields >> utime >> stime;
    return fields ? utime + stime : -1;
}

std::int64_t mainThreadRunNs(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/schedstat");
    std::int64_t ns = -1;
    return file >> ns ? ns : -1;
}

long ticksPerSecond()
{
    return ::sysconf(_SC_CLK_TCK);
}

} // namespace bench
