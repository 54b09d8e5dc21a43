#pragma once
// The one way the program opens an address or a document: with the desktop's
// program for it, reporting a failure in a box titled "Ошибка".

#include "platform/Shell.h"

#include <QString>

struct ModalPrompts;

// The message for an open result; empty for success and for failures without a
// text of their own.
QString shellMessage(platform::OpenResult result);

// Opens the target. Returns empty on success, else the message that was shown.
// A type without a program first offers the desktop's chooser, where there is one.
QString shellOpen(platform::Shell& shell, const ModalPrompts& prompts, const QString& target);
