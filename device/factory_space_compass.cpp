#include "device/factory_space_compass.h"

#include <QCoreApplication>

namespace device {

void StartInFactorySpace(clsCompass &compass, platform::SerialPort &port, const SerialLineSettings &line,
                         platform::MessageBox &messages)
{
    compass.CmdTries = 2;
    compass.SetCom(port);
    static_cast<SerialLineSettings &>(compass) = line;
    if (!compass.StartCompass())
        messages.show(QCoreApplication::translate("device::StartInFactorySpace",
                                                  "Compass can't open port COM%1.\r\n\r\nPlease check if this port "
                                                  "isn't used by another application.")
                          .arg(QString::fromStdString(compass.ComPort)),
                      platform::MessageIcon::Exclamation, platform::MessageButtons::Ok, compass.OpenFailureDetail());
    compass.CmdSetFactoryZone();
}

} // namespace device
