#include "MainMenu.h"

#include "ResourceIds.h"

namespace res
{
const SMenuTemplate& MainMenu()
{
    static const SMenuTemplate menu{
        IDR_MAIN_MENU,
        {
            {"&System",
             0,
             {
                 {"&Reset", ID_SYSTEM_RESET, {}},
                 {"Self &Test", ID_SYSTEM_SELF_TEST, {}},
                 {"&Sync", ID_SYSTEM_SYNC, {}},
                 {"&Auto Update Mode", ID_SYSTEM_AUTO_UPDATE, {}},
                 {nullptr, 0, {}},
                 {"&Exit", ID_SYSTEM_EXIT, {}},
             }},
            {"&Panels",
             0,
             {
                 {"&Measure", ID_PANELS_MEASURE, {}},
                 {"&Event Trig", ID_PANELS_EVENT_TRIG, {}},
                 {"&Input Config", ID_PANELS_INPUT_CONFIG, {}},
                 {"&Arm", ID_PANELS_ARM, {}},
                 {"Mi&sc", ID_PANELS_MISC, {}},
                 {"&Output Config", ID_PANELS_OUTPUT_CONFIG, {}},
             }},
            {"&Help",
             0,
             {
                 {"&Contents...", ID_HELP_CONTENTS, {}},
                 {"&About...", ID_HELP_ABOUT, {}},
             }},
        },
    };
    return menu;
}
} // namespace res
