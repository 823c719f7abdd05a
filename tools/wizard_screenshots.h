#pragma once
#include <QString>

// Draws the calibration wizard's password dialog and its pages into `folder`;
// false when a picture could not be written.
bool wizardPages(const QString &folder);
