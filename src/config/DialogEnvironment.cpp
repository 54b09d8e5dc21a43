#include "config/DialogEnvironment.h"

#include "config/ShellOpen.h"
#include "common/AppState.h"
#include "platform/Platform.h"
#include "common/Twips.h"

#include <QWidget>

QString DialogEnvironment::shellOpen(const QString& target)
{
    return ::shellOpen(platform.shell(), prompts, target);
}

QSize DialogEnvironment::pixels(int widthTwips, int heightTwips) const
{
    const Twips twips(state);
    return QSize(twips.toPxX(widthTwips), twips.toPxY(heightTwips));
}

QPoint DialogEnvironment::centred(QSize sizePx)
{
    // (screen - window) / twips / 2 with both sizes in twips, as whole pixels.
    const Twips twips(state);
    const QSize screen = platform.screen().sizePx();
    const double x = double(screen.width() - sizePx.width()) * twips.perPxX() / 2;
    const double y = double(screen.height() - sizePx.height()) * twips.perPxY() / 2;
    return QPoint(twips.toPxX(x), twips.toPxY(y));
}

void DialogEnvironment::placeCentred(QWidget& dialog, int widthTwips, int heightTwips)
{
    const QSize client = pixels(widthTwips, heightTwips);
    dialog.setFixedSize(client);
    dialog.move(centred(client));
}
