#pragma once
// How long the soak tests run: the short pass of every test run, or the long one
// when QLR_SOAK_LONG is set (./test.sh --soak).
#include <QtGlobal>

inline int soakRounds(int shortRounds, int longRounds)
{
    return qEnvironmentVariableIsSet("QLR_SOAK_LONG") ? longRounds : shortRounds;
}
