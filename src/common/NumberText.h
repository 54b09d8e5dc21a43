#pragma once
// How the program reads numbers out of setting texts and form fields.

#include <QString>
#include <optional>

namespace numbertext {

// The number a text holds: blanks around it allowed, sign, fraction and exponent
// accepted. Nothing (not a number) for an empty, blank or malformed text and for
// infinities and NaN.
std::optional<double> parse(const QString& text);

// As parse(), but an empty or blank text counts as 0: the way a setting reads as a
// number, since an absent key and an empty value read alike.
std::optional<double> settingValue(const QString& text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounded half-to-even and checked against the 16- and 32-bit signed ranges.
std::optional<int> toInt16(double value);
std::optional<int> toInt32(double value);

// Rounded half-to-even and held inside [low, high]; NaN counts as 0. For numbers that
// must become a usable int whatever a setting or a geometry sum holds.
int clampedWhole(double value, int low, int high);

// A number as the settings file stores it: plain decimal, no exponent for whole numbers.
QString format(double value);

} // namespace numbertext
