#pragma once
#include "tools/module_settings.h"
#include "tools/sensor_model.h"

#include <string>

namespace compass_sim {

// What the module reports: the measured values after its own corrections
// (declination and deviation, trim, temperature and depth offsets, magnetic
// offsets and scales, gyro offsets).
Readings corrected(const Readings &measured, const ModuleSettings &settings);

// One data sentence, CR LF included, in output format 1, 2, 4 or 8 with the
// values of the display-field mask; empty for format 16 and for a comma form
// with no fields. Form 1 always starts with the heading, which names the form.
// In forms 2 and 8 a clear bit below the highest set one leaves an empty item,
// so each value keeps its place in field-mask order.
std::string formatSentence(const Readings &reported, int format, int fields);

} // namespace compass_sim
