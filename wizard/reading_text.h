#pragma once
#include "platform/platform.h"

#include <QString>

namespace wizard {

// A reading as plain decimal text with the user's decimal separator.
QString ReadingText(platform::Platform &platform, float value);

} // namespace wizard
