#pragma once
// The state popup tests start from: a 96-dpi screen (15 twips per pixel), the shipped
// look and settings.
#include "common/AppState.h"

inline AppState popupState()
{
    AppState s;
    s.twipsPerPixelX = s.twipsPerPixelY = 15;
    s.osVersion = 600;
    s.primaryButton = 1;
    s.secondaryButton = 2;
    s.backColour = 0xFFFFFF;
    s.textColour = 0x0000FF;
    s.grayColour = 0x808080;
    for (const auto& [key, value] :
         {std::pair{"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"}, {"FontSize", "10"},
          {"Shadow", "1"}, {"Border", "0"}, {"googlelabel", "Powered by Apertium"},
          {"googlelink", "https://www.apertium.org/"}, {"hideiconinterval", "2.5"}})
        s.settings.set(key, value);
    return s;
}
