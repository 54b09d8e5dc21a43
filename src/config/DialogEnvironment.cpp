#include "config/DialogEnvironment.h"

#include "common/NumberText.h"
#include "config/ShellOpen.h"
#include "platform/Platform.h"

#include <QWidget>

QString DialogEnvironment::shellOpen(const QString& target)
{
    return ::shellOpen(platform.shell(), prompts, target);
}

QPoint DialogEnvironment::centred(QSize size)
{
    const QSize screen = platform.screen().sizePx();
    return QPoint(static_cast<int>(numbertext::roundHalfEven((screen.width() - size.width()) / 2.0)),
                  static_cast<int>(numbertext::roundHalfEven((screen.height() - size.height()) / 2.0)));
}

void DialogEnvironment::placeCentred(QWidget& dialog, QSize size)
{
    dialog.setFixedSize(size);
    dialog.move(centred(size));
}
