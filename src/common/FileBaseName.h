#pragma once
#include <QString>

// The last component of a path ("/" or "\" separated) without its last dot-suffix:
// "/usr/bin/qlr" and "C:\qlr.exe" both give "qlr".
QString fileBaseName(const QString& path);
