#include "res/MainMenu.h"

#include "res/ResourceIds.h"

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
                 {"&Reset", 2000, {}},
                 {"Self &Test", 2001, {}},
                 {"&Sync", 2012, {}},
                 {"&Auto Update Mode", 2010, {}},
                 {nullptr, 0, {}},
                 {"&Exit", 2011, {}},
             }},
            {"&Panels",
             0,
             {
                 {"&Measure", 2002, {}},
                 {"&Event Trig", 2003, {}},
                 {"&Input Config", 2004, {}},
                 {"&Arm", 2005, {}},
                 {"Mi&sc", 2006, {}},
                 {"&Output Config", 2007, {}},
             }},
            {"&Help",
             0,
             {
                 {"&Contents...", 2008, {}},
                 {"&About...", 2009, {}},
             }},
        },
    };
    return menu;
}
} // namespace res
