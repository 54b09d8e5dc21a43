#pragma once
// The question, colour and keyboard routines of the dialogs.

#include "common/Colour.h"

#include <QString>

struct ModalPrompts;
class QWidget;
namespace platform {
class Input;
}

// True while a Shift key is down.
bool isShiftDown(platform::Input& input);

// Asks a Yes/No question with the question icon, titled "Quillora" when the title is
// empty. With skipWithShift, a held Shift key answers Yes without asking.
bool askYesNo(const ModalPrompts& prompts, platform::Input& input, const QString& prompt, const QString& title,
              bool skipWithShift);

// Lets the user pick a colour starting from the given one; Cancel keeps it.
Colour pickColour(const ModalPrompts& prompts, QWidget* owner, Colour colour);
