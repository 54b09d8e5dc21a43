#pragma once
// The settings popup tests start from: the shipped look and timings.
#include "common/AppSettings.h"

inline AppSettings popupSettings()
{
    AppSettings s;
    s.background = 0xFFFFFF;
    s.text = 0x0000FF;
    s.gray = 0x808080;
    s.transparency = 20;
    s.glideSteps = 10;
    s.fontPointSize = 10;
    s.wrapWidthPx = 450;
    s.shadow = true;
    s.border = false;
    s.serviceCaption = "Powered by Apertium";
    s.serviceAddress = "https://www.apertium.org/";
    s.iconRetireMs = 2500;
    return s;
}
