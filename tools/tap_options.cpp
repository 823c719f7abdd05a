#include "tools/tap_options.h"

#include "platform/qt/qt_serial_port.h"

namespace compass_sim {

namespace {

const ToolInfo TapTool{
    "compass-tap",
    "Sits between a serial device and the program: makes a pseudo-terminal linked as DIR/COM<N> for the\n"
    "program, forwards both directions unchanged and records every chunk, with its direction and time,\n"
    "to a capture (docs/capture_format.md). Keeps up to 1 MiB each way for a side that reads late.\n"
    "Prints a summary each second. Ends on Ctrl-C (SIGINT or SIGTERM) or when the device goes away;\n"
    "the capture is complete either way. Exit status 0 when stopped by Ctrl-C with every byte passed\n"
    "on; 1 when the device went away, or bytes from the module were dropped because the program left\n"
    "1 MiB unread (the capture marks them).\n"};

} // namespace

const std::vector<ToolOption<TapOptions>> &tapOptionTable()
{
    using O = TapOptions;
    static const std::vector<ToolOption<TapOptions>> table{
        {"device", "PATH", "the module's serial device, as /dev/ttyUSB0",
         [](O &o, const std::string &v) { o.device = v; }},
        {"device-com", "N", "the module's device by COM number, through DIR's links and the program's rule",
         [](O &o, const std::string &v) { o.deviceCom = wholeValue("device-com", v, 1, 300); }},
        {"line", "BAUD,PARITY,DATA,STOP", "the device's line settings (default 19200,N,8,1)",
         [](O &o, const std::string &v) {
             std::string error;
             if (!platform::qt::parseLineSettings(v, error))
                 throw std::invalid_argument("--line: " + error);
             o.line = v;
         }},
        {"ports-dir", "DIR", "the program's ports folder (default ports)",
         [](O &o, const std::string &v) { o.portsDir = v; }},
        {"com", "N", "the COM number the program opens (default 2)",
         [](O &o, const std::string &v) { o.com = wholeValue("com", v, 1, 300); }},
        {"capture", "FILE", "where to record; an existing file is not overwritten",
         [](O &o, const std::string &v) { o.capture = v; }},
        {"on-full-disk", "forward|stop",
         "when the capture cannot be written: keep forwarding (default) or stop the tap",
         [](O &o, const std::string &v) {
             if (v != "forward" && v != "stop")
                 throw std::invalid_argument("--on-full-disk takes forward or stop, not \"" + v + "\"");
             o.stopOnFullDisk = v == "stop";
         }},
    };
    return table;
}

CommandLine<TapOptions> parseTapOptions(const std::vector<std::string> &args)
{
    auto parsed = parseCommandLine(TapTool, tapOptionTable(), args);
    const TapOptions &o = parsed.options;
    if (parsed.print)
        return parsed;
    if (o.device.has_value() == o.deviceCom.has_value())
        throw std::invalid_argument("name the module's device with either --device PATH or --device-com N");
    if (o.capture.empty())
        throw std::invalid_argument("--capture FILE is needed: where to record");
    if (o.deviceCom == o.com)
        throw std::invalid_argument("--device-com and --com must differ: the program's link would replace the device");
    return parsed;
}

} // namespace compass_sim
