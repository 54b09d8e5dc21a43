#include "config/PromptRoutines.h"

#include "config/ModalPrompts.h"
#include "platform/Input.h"

bool IsShiftDown(platform::Input& input)
{
    return input.isShiftDown();
}

bool AskYesNo(const ModalPrompts& prompts, platform::Input& input, const QString& prompt, const QString& title,
              bool skipWithShift)
{
    if (skipWithShift && IsShiftDown(input))
        return true;
    return prompts.question(title.isEmpty() ? QStringLiteral("Quillora") : title, prompt);
}

Colour PickColor(const ModalPrompts& prompts, QWidget* owner, Colour colour)
{
    return fromQColor(prompts.chooseColor(owner, toQColor(colour)));
}
