#include "service/PageReportReceiver.h"

void PageReportReceiver::push(const QString& report)
{
    emit received(report);
}
