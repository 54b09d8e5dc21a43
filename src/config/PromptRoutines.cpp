#include "config/PromptRoutines.h"

#include "config/ModalPrompts.h"
#include "platform/Input.h"

bool isShiftDown(platform::Input& input)
{
    return input.isShiftDown();
}

bool askYesNo(const ModalPrompts& prompts, platform::Input& input, const QString& prompt, const QString& title,
              bool skipWithShift)
{
    if (skipWithShift && isShiftDown(input))
        return true;
    return prompts.question(title.isEmpty() ? QStringLiteral("Quillora") : title, prompt);
}

Colour pickColour(const ModalPrompts& prompts, QWidget* owner, Colour colour)
{
    return fromQColor(prompts.chooseColor(owner, toQColor(colour)));
}
