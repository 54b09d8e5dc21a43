#pragma once
#include <QString>

// True for an absolute http or https address with a host: the only kind of address the
// program opens on the service page's behalf (any other scheme could start a local
// program or open a local file).
bool isWebAddress(const QString& address);
