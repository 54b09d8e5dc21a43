#pragma once
// What the translation request shows, and where: the application connects these to
// the popup and the floating icon.

#include <QString>
#include <functional>

struct TranslationView {
    // A translation of the newest request (from the cache or the page).
    std::function<void(const QString& text)> showResult;
    // A message instead of a translation (not connected, no answer in time).
    std::function<void(const QString& text)> showMessage;
    // The waiting marker, animated until the next text replaces it.
    std::function<void()> showWaiting;
    // The direction the page translated in ("en → es").
    std::function<void(const QString& direction)> showDirection;
    // Offers the floating icon beside a selection that ended at (x, y) and began at
    // selectionLeft on the left.
    std::function<void(int x, int y, int selectionLeft)> offerIcon;
};
