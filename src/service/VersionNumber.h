#pragma once
// Program versions as the page publishes them: major "." minor "." revision.

#include <QString>

// The version as one comparable number, major x 1e9 + minor x 1e6 + revision.
// Fewer than three fields, or a field that is not a number, gives 0. The number is
// not squeezed into 32 bits, so major versions 3 and above compare correctly.
double versionNumber(const QString& version);
