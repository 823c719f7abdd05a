#pragma once
#include "wizard/wizard_host.h"

#include <cstdint>

class QWidget;

namespace wizard {

// The HT Cal command: the factory password dialog, then, for the right
// password, the wizard with the port handed to the compass object while it
// is open. Returns the password dialog's DialogResult (1, 2 or 7).
std::int32_t RunHighTempCalibration(WizardHost &host, QWidget *parent);

} // namespace wizard
