#pragma once
#include "device/cls_compass.h"
#include "platform/message_box.h"

namespace device {

// Readies a fresh program-wide compass object for the factory-space switch and
// the wizard: two tries a key, the window's port with the stored line settings,
// opened (a port that will not open is told in a box naming it, and the rest
// goes on) and switched into the compass's factory space.
void StartInFactorySpace(clsCompass &compass, platform::SerialPort &port, const SerialLineSettings &line,
                         platform::MessageBox &messages);

} // namespace device
