// The compass object's line cutter and reply handling: the module's side is
// the input, chunks cut at 0xFF arriving every few milliseconds while one
// command runs. Byte 0 picks the command, byte 1 the milliseconds between
// chunks. Whatever arrives, the raw copy stays bounded and the identity read is
// text the module sent.
#include "device/cls_compass.h"
#include "platform/sim/sim_platform.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    platform::sim::SimPlatform sim(QStringLiteral("/nonexistent"));
    sim.ports.addDevice(1);
    const auto port = sim.ports.createPort();
    port->setPortNumber(1);
    port->open();
    device::clsCompass compass(sim.platform);
    compass.SetCom(*port);
    compass.HoldsBuffer = true;
    port->setReceiveHandler([&] { compass.OnCom(); });

    const auto chunks = chunksOf(data + 2, size - 2);
    const platform::sim::VirtualMs gap = 1 + data[1];
    std::string sent;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        sim.ports.openPort(1)->deliver(chunks[i], sim.now() + (i + 1) * gap);
        sent += chunks[i];
    }
    switch (data[0] % 5) {
    case 0: compass.FirmwareVersion(); break;
    case 1: compass.CmdSetFactoryZone(); break;
    case 2: compass.CmdShowFields(7); break;
    case 3: compass.CmdStartLevelCalibration() && compass.CmdSpace(); break;
    default: break;
    }
    sim.advance(gap * (chunks.size() + 1));

    expect(compass.InputBuffer().size() <= device::clsCompass::RawBufferLimit, "the raw copy stays bounded");
    for (const std::string &told : {compass.PartNumber(), compass.SN()})
        expect(told == "ND" || sent.find(told) != std::string::npos, "the identity is text the module sent");
    return 0;
}
