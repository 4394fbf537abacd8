// What the tests showed, kept for comparing two builds: when TAVREL_GRAB_DIR names a folder,
// every window on screen at each message box and at the end of each screen test is saved there
// as PNG, and every printed PDF as it is, each under the running test's name and a number.
// Nothing is kept when the variable is not set.
#pragma once

#include <QString>

namespace harness {

bool grabbing();
// Saves a PNG of each visible top-level window, tagged with `moment`.
void grabScreens(const QString& moment);
// Copies a file (a printed PDF) with the given extension.
void keepForComparison(const QString& file, const QString& extension);

} // namespace harness
