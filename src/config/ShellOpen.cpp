#include "config/ShellOpen.h"

#include "config/ModalPrompts.h"

using platform::OpenResult;

namespace {

// The messages, as the program has always shown them, for the results that have one.
struct ResultMessage {
    OpenResult result;
    const char* text;
};
constexpr ResultMessage Messages[] = {
    {OpenResult::NoProgram, "Windows не знает, что это за файл и чем его открывать. "
                            "Выберите программу из списка или нажмите Отмена."},
    {OpenResult::OutOfResources, "Ошибка: Недостаточно памяти. Выполнение прервано!"},
    {OpenResult::FileNotFound, "Ошибка: Файл не найден. Путь или имя файла указаны неправильно! "},
    {OpenResult::PathNotFound, "Ошибка: Путь не найден. Указанная папка не существует! \""},
    {OpenResult::BadFormat, "Ошибка:  Неизвестный формат файла!"},
};

} // namespace

QString shellMessage(OpenResult result)
{
    for (const ResultMessage& message : Messages)
        if (message.result == result)
            return QString::fromUtf8(message.text);
    return QString();
}

QString shellOpen(platform::Shell& shell, const ModalPrompts& prompts, const QString& target)
{
    const OpenResult result = shell.open(target);
    if (result == OpenResult::Opened)
        return QString();
    if (result == OpenResult::NoProgram)
        shell.openWith(target);
    const QString message = shellMessage(result);
    prompts.exclamation(QStringLiteral("Ошибка"), message);
    return message;
}
