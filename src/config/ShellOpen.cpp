#include "config/ShellOpen.h"

#include "config/ModalPrompts.h"
#include "platform/Shell.h"

using platform::Shell;

QString shellMessage(int result)
{
    switch (result) {
    case Shell::NoAssociation:
        return QStringLiteral("Windows не знает, что это за файл и чем его открывать. "
                              "Выберите программу из списка или нажмите Отмена.");
    case Shell::OutOfResources:
        return QStringLiteral("Ошибка: Недостаточно памяти. Выполнение прервано!");
    case Shell::FileNotFound:
        return QStringLiteral("Ошибка: Файл не найден. Путь или имя файла указаны неправильно! ");
    case Shell::PathNotFound:
        return QStringLiteral("Ошибка: Путь не найден. Указанная папка не существует! \"");
    case Shell::BadFormat:
        return QStringLiteral("Ошибка:  Неизвестный формат файла!");
    default:
        return QString();
    }
}

QString shellOpen(Shell& shell, const ModalPrompts& prompts, const QString& target)
{
    const int result = shell.open(target);
    if (result > 32)
        return QString();
    if (result == Shell::NoAssociation)
        shell.openWith(target);
    const QString message = shellMessage(result);
    prompts.exclamation(QStringLiteral("Ошибка"), message);
    return message;
}
