#include <cstring>

#include "screens/screens.h"

const ScreenName kScreenNames[] = {
    {"ScreenMain", ScreenMain},
    {"ScreenFlightStartStop", ScreenFlightStartStop},
    {"ScreenFlightInfo", ScreenFlightInfo},
    {"ScreenMaxValues", ScreenMaxValues},
    {"ScreenMessageDone", ScreenMessageDone},
    {"ScreenMainMenu", ScreenMainMenu},
    {"ScreenAsiSetup", ScreenAsiSetup},
    {"ScreenZeroAsiConfirm", ScreenZeroAsiConfirm},
    {"ScreenAltSetup", ScreenAltSetup},
    {"ScreenDisplaySetup", ScreenDisplaySetup},
    {"ScreenContrast", ScreenContrast},
    {"ScreenLogMenu", ScreenLogMenu},
    {"ScreenLogView", ScreenLogView},
    {"ScreenLogErase", ScreenLogErase},
    {"ScreenLogBlocked", ScreenLogBlocked},
    {"ScreenCalibrate", ScreenCalibrate},
    {"ScreenAdcValues", ScreenAdcValues},
};
const int kScreenNameCount = static_cast<int>(sizeof kScreenNames / sizeof kScreenNames[0]);

ScreenFn ScreenByName(const char* name) {
    for (const ScreenName& s : kScreenNames)
        if (std::strcmp(s.name, name) == 0) return s.fn;
    return nullptr;
}

const char* NameOfScreen(ScreenFn fn) {
    if (fn == nullptr) return nullptr;
    for (const ScreenName& s : kScreenNames)
        if (s.fn == fn) return s.name;
    return nullptr;
}
