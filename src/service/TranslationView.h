#pragma once
// What the translation request and the result poll show, and where: the
// application connects these to the popup and the floating icon.

#include <QString>
#include <functional>

struct TranslationView {
    // Puts a text (a translation, the waiting marker or a message) into the popup.
    std::function<void(const QString& text)> showTranslation;
    // Shows the popup's link to the translation service (it belongs to a result).
    std::function<void()> showServiceLink;
    // The direction the page translated in ("en → es").
    std::function<void(const QString& direction)> showDirection;
    // Offers the floating icon beside a selection that ended at (x, y).
    std::function<void(int x, int y)> offerIcon;
};
