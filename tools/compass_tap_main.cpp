// compass-tap: records what a module and the program say to each other. The
// program opens a pseudo-terminal linked as <ports-dir>/COM<n>; the tap
// forwards its bytes to the module's device and back, unchanged.
#include "tools/serial_tap.h"
#include "tools/stop_signals.h"
#include "tools/tap_device.h"
#include "tools/tap_options.h"

#include <QCoreApplication>
#include <QDateTime>

#include <csignal>
#include <cstdio>
#include <stdexcept>

namespace {

double seconds(std::uint64_t micros) { return static_cast<double>(micros) / 1e6; }

void printSummary(const compass_sim::SerialTap &tap, const compass_sim::TapCounts &last,
                  const compass_sim::CaptureFile &capture, int com)
{
    const compass_sim::TapCounts &now = tap.counts();
    std::printf("%6.0f s: module %llu B, program %llu B, sentences %llu; COM%d %s; capture %llu B%s",
                seconds(tap.micros()), static_cast<unsigned long long>(now.fromModule - last.fromModule),
                static_cast<unsigned long long>(now.fromProgram - last.fromProgram),
                static_cast<unsigned long long>(now.sentences - last.sentences), com,
                tap.programOpen() ? "open" : "not open", static_cast<unsigned long long>(capture.bytesWritten()),
                capture.recording() ? "" : " (not recording)");
    if (tap.waitingForProgram())
        std::printf("; %zu B waiting for the program", tap.waitingForProgram());
    if (now.dropped)
        std::printf("; %llu B dropped in all", static_cast<unsigned long long>(now.dropped));
    std::printf("\n");
    std::fflush(stdout);
}

// Exit status: 0 stopped by a signal with every byte passed on, 1 otherwise.
int run(const compass_sim::TapOptions &opt)
{
    using namespace compass_sim;
    const std::string path = opt.device ? *opt.device : TapDevice::pathOfCom(opt.portsDir, *opt.deviceCom);
    const std::string deviceName = opt.device ? path : "COM" + std::to_string(*opt.deviceCom) + " (" + path + ")";
    TapDevice device(path, opt.line);
    PseudoTerminal program(PseudoTerminal::Slave::LeftToProgram);
    const PortLink link(opt.portsDir, opt.com, program.slavePath());
    if (link.madeFolder())
        std::printf("compass-tap: made the folder %s for the link\n", opt.portsDir.c_str());
    // Made last, so that a tap that cannot start leaves no capture behind to refuse the next run.
    CaptureFile capture(opt.capture);
    catchStopSignals();
    const sigset_t waitMask = stopSignalsOnlyWhileWaiting();

    capture.addComment("compass-tap: module = bytes from " + deviceName + " at " + opt.line + ", program = bytes from COM" +
                       std::to_string(opt.com) + " (" + link.path().string() + ")");
    capture.addComment("started " + QDateTime::currentDateTime().toString(Qt::ISODate).toStdString() +
                       " local time; times are seconds since then");
    SerialTap tap(device.fd(), program, capture, opt.stopOnFullDisk);
    std::printf("compass-tap: %s at %s <-> COM%d (%s -> %s), recording to %s; Ctrl-C stops\n", deviceName.c_str(),
                opt.line.c_str(), opt.com, link.path().c_str(), program.slavePath().c_str(), opt.capture.c_str());
    std::fflush(stdout);

    // Once, whether the disk fills while forwarding or on the last write.
    const auto sayIfRecordingStopped = [&](const char *then) {
        if (tap.recordingJustStopped())
            std::fprintf(stderr, "compass-tap: recording stopped at %.3f s: %s: %s; the capture keeps what was written%s\n",
                         seconds(tap.micros()), opt.capture.c_str(), capture.failure().c_str(), then);
    };
    TapCounts last;
    std::uint64_t nextSummary = 1000000;
    SerialTap::State state = SerialTap::State::Running;
    while (state == SerialTap::State::Running && !g_stopSignal) {
        const std::uint64_t now = tap.micros();
        state = tap.pump(now >= nextSummary ? 0 : static_cast<int>((nextSummary - now) / 1000 + 1), &waitMask);
        sayIfRecordingStopped(opt.stopOnFullDisk ? "; forwarding stops" : "; forwarding goes on");
        if (tap.micros() >= nextSummary) {
            printSummary(tap, last, capture, opt.com);
            last = tap.counts();
            nextSummary += 1000000;
        }
    }

    std::string how;
    if (g_stopSignal)
        how = g_stopSignal == SIGINT ? "stopped by SIGINT" : "stopped by SIGTERM";
    else if (state == SerialTap::State::DeviceGone)
        how = "device gone: " + tap.deviceError();
    else
        how = "forwarding stopped: recording stopped: " + capture.failure();
    how = tap.finish(how);
    sayIfRecordingStopped("");
    if (capture.recording())
        std::printf("compass-tap: %s at %.3f s; %s is complete (%llu B)\n", how.c_str(), seconds(tap.micros()),
                    opt.capture.c_str(), static_cast<unsigned long long>(capture.bytesWritten()));
    else
        std::printf("compass-tap: %s at %.3f s; %s keeps the %llu B written before recording stopped\n", how.c_str(),
                    seconds(tap.micros()), opt.capture.c_str(), static_cast<unsigned long long>(capture.bytesWritten()));
    const std::uint64_t dropped = tap.counts().dropped;
    if (dropped)
        std::fprintf(stderr,
                     "compass-tap: %llu B from the module were dropped: the program left %zu KiB unread; the "
                     "capture has them as dropped\n",
                     static_cast<unsigned long long>(dropped), SerialTap::QueueBytes / 1024);
    std::fflush(stdout);
    return g_stopSignal && dropped == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);  // the serial port's notifiers want one
    compass_sim::CommandLine<compass_sim::TapOptions> parsed;
    try {
        parsed = compass_sim::parseTapOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument &e) {
        return compass_sim::refuse("compass-tap", e.what());
    }
    if (parsed.print) {
        std::fputs(parsed.print->c_str(), stdout);
        return 0;
    }
    try {
        return run(parsed.options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "compass-tap: %s\n", e.what());
        return 1;
    }
}
