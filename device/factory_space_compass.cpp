#include "device/factory_space_compass.h"

namespace device {

void StartInFactorySpace(clsCompass &compass, platform::SerialPort &port, const SerialLineSettings &line,
                         platform::MessageBox &messages)
{
    compass.CmdTries = 2;
    compass.SetCom(port);
    static_cast<SerialLineSettings &>(compass) = line;
    if (!compass.StartCompass())
        messages.show(QStringLiteral("Compass can't open port COM") + QString::fromStdString(compass.ComPort)
                          + QStringLiteral(".\r\n\r\nPlease check if this port isn't used by another application."),
                      platform::MessageIcon::Exclamation, platform::MessageButtons::Ok, compass.OpenFailureDetail());
    compass.CmdSetFactoryZone();
}

} // namespace device
