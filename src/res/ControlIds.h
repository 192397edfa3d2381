#pragma once
// The control ids of the dialog templates, one namespace per template: the templates, the dialog classes
// and the tests all name a control through these. Ids repeat across templates, never within one.

namespace res
{
namespace about
{
enum EControlId : int
{
    IDC_ICON = 1200, // the placeholder that the About box fills with the program icon
};
} // namespace about

namespace measure
{
enum EControlId : int
{
    IDC_INDICATOR = 1005,
    IDC_SLOT = 1006,
    IDC_HEADER = 1007,
    IDC_READING = 1015,
    IDC_UNITS = 1016,
    IDC_FUNCTION = 1019,
    IDC_INITIATE = 1021,
    IDC_LOWER_FRAME = 1025,
    IDC_LOGO_MARK = 1027,
    IDC_EMBLEM_MARK = 1029,
    IDC_CHANNEL_1 = 1061,
    IDC_CHANNEL_2 = 1062,
    IDC_CHANNEL_3 = 1063,
    IDC_EXPECTED = 1071,
    IDC_START_IMM = 1072,
    IDC_RESOLUTION = 1116,
    IDC_LOWER_REF = 1117,
    IDC_UPPER_REF = 1118,
    IDC_SEND_CONFIG = 1119,
    IDC_FETCH = 1120,
    IDC_READ = 1143,
    IDC_NAME_MARK = 1172,
    IDC_SLOT_MARK = 1173,
    IDC_STOP_IMM = 1174,
};
} // namespace measure

namespace input_config
{
enum EControlId : int
{
    IDC_CHANNEL = 1030,
    IDC_ATTENUATION = 1031,
    IDC_COUPLING = 1032,
    IDC_IMPEDANCE = 1033,
    IDC_ROUTING = 1034,
    IDC_FRAME = 1036,
};
} // namespace input_config

namespace event_trig
{
enum EControlId : int
{
    IDC_CHANNEL = 1037,
    IDC_FRAME = 1038,
    IDC_QUERY = 1041,
    IDC_SLOPE = 1044,
    IDC_REL_LEVEL = 1058,
    IDC_SEND_REL = 1071,
    IDC_ONCE = 1072,
    IDC_AUTO_OFF = 1121,
    IDC_AUTO_ON = 1122,
    IDC_HYST_MIN = 1125,
    IDC_HYST_MAX = 1126,
    IDC_HYST_DEF = 1127,
    IDC_TRIG_LEVEL = 1128,
    IDC_SEND_LEV = 1144,
};
} // namespace event_trig

namespace value_entry
{
enum EControlId : int
{
    IDC_VALUE = 1023,
    IDC_PROMPT = 1046,
    IDC_MIN = 1149,
    IDC_MAX = 1150,
    IDC_DEF = 1151,
    IDC_AUTO = 1152,
    IDC_HIDDEN_COMBO = 1153,
    IDC_DISCRETES = 1154,
};
} // namespace value_entry

namespace arm
{
enum EControlId : int
{
    IDC_START_SOURCE = 1019,
    IDC_STOP_SLOPE = 1071,
    IDC_START_SLOPE = 1072,
    IDC_FRAME = 1077,
    IDC_START_MIN = 1132,
    IDC_START_MAX = 1133,
    IDC_START_DEF = 1134,
    IDC_STOP_MIN = 1138,
    IDC_STOP_MAX = 1139,
    IDC_STOP_DEF = 1140,
    IDC_STOP_SOURCE = 1142,
};
} // namespace arm

namespace misc
{
enum EControlId : int
{
    IDC_MEAS_ABORT = 1081,
    IDC_MEAS_TIMEOUT = 1082,
    IDC_TRIGGER = 1083,
    IDC_APERTURE = 1084,
    IDC_FREQ_RANGE = 1087,
    IDC_FRAME = 1089,
    IDC_ROSC_INT = 1146,
    IDC_ROSC_EXT = 1147,
    IDC_ROSC_CLK10 = 1148,
};
} // namespace misc

namespace output_config
{
enum EControlId : int
{
    IDC_TIMEBASE = 1071,
    IDC_FRAME = 1090,
    IDC_TRIGGER_LINE = 1158,
};
} // namespace output_config

namespace select_instrument
{
enum EControlId : int
{
    IDC_RESOURCES = 1111,
};
} // namespace select_instrument

namespace reference
{
enum EControlId : int
{
    IDC_REFERENCE = 1155,
};
} // namespace reference
} // namespace res
