#pragma once
#include <QString>

namespace app {

// Said when a tool is pressed while another command holds the compass's menu.
QString CompassBusyText();

} // namespace app
