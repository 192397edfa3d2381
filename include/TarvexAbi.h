/* The counter driver's C ABI: the types, status values and the 27 entry points of tarvex_32.
 * Shared by the program and any driver library that can stand in for the simulator. */
#ifndef TARVEX_ABI_H
#define TARVEX_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

    typedef int32_t ViStatus;
    typedef uint32_t ViSession;
    typedef int16_t ViInt16;
    typedef int32_t ViInt32;
    typedef uint16_t ViBoolean;
    typedef double ViReal64;
    typedef char ViChar;

#define VI_SUCCESS ((ViStatus)0)
#define VI_ERROR_TMO ((ViStatus)0xBFFF0015)                /* time-out */
#define TARVEX_INSTR_ERROR_DETECTED ((ViStatus)0xBFFC0D06) /* the instrument's error queue is not empty */

/* An answer buffer holds this many characters, the terminating NUL included. */
#define TARVEX_BUFFER_SIZE 256

    /* The measurement functions of tarvex_configure; 2 names none. */
    enum
    {
        TARVEX_FUNCTION_AC = 0,
        TARVEX_FUNCTION_DC = 1,
        TARVEX_FUNCTION_FREQ = 3,
        TARVEX_FUNCTION_FREQ_RATIO = 4,
        TARVEX_FUNCTION_FALL_TIME = 5,
        TARVEX_FUNCTION_MAX = 6,
        TARVEX_FUNCTION_MIN = 7,
        TARVEX_FUNCTION_NEG_WIDTH = 8,
        TARVEX_FUNCTION_PERIOD = 9,
        TARVEX_FUNCTION_POS_WIDTH = 10,
        TARVEX_FUNCTION_RISE_TIME = 11,
        TARVEX_FUNCTION_TIME_INTERVAL = 12,
        TARVEX_FUNCTION_TOTALIZE = 13,
    };

    /* The modes of tarvex_initiate. */
    enum
    {
        TARVEX_INITIATE_IMMEDIATE = 1,        /* text NULL */
        TARVEX_INITIATE_CONTINUOUS = 2,       /* text "ON" or "OFF" */
        TARVEX_INITIATE_QUERY_CONTINUOUS = 3, /* text = answer buffer */
    };

    /* The item codes of tarvex_sense, tarvex_input, tarvex_arm and tarvex_output: a setting's set item and
     * the query item that answers it. A sense set item sends the number when its text is NULL. */
    enum
    {
        TARVEX_SENSE_TRIGGER_LEVEL_SET = 4,
        TARVEX_SENSE_TRIGGER_LEVEL_QUERY = 5,
        TARVEX_SENSE_AUTO_TRIGGER_SET = 6,
        TARVEX_SENSE_AUTO_TRIGGER_QUERY = 7,
        TARVEX_SENSE_RELATIVE_LEVEL_SET = 8,
        TARVEX_SENSE_RELATIVE_LEVEL_QUERY = 9,
        TARVEX_SENSE_SLOPE_SET = 10,
        TARVEX_SENSE_SLOPE_QUERY = 11,
        TARVEX_SENSE_HYSTERESIS_SET = 12,
        TARVEX_SENSE_HYSTERESIS_QUERY = 13,
        TARVEX_SENSE_APERTURE_SET = 14,
        TARVEX_SENSE_APERTURE_QUERY = 15,
        TARVEX_SENSE_FREQ_RANGE_SET = 16,
        TARVEX_SENSE_FREQ_RANGE_QUERY = 17,
        TARVEX_SENSE_FREQ_RANGE_AUTO_SET = 18,
        TARVEX_SENSE_FREQ_RANGE_AUTO_QUERY = 19,
        TARVEX_SENSE_FUNCTION_SET = 20,
        TARVEX_SENSE_FUNCTION_QUERY = 21,
        TARVEX_SENSE_EXPECTED_SET = 22,
        TARVEX_SENSE_EXPECTED_QUERY = 23,
        TARVEX_SENSE_RESOLUTION_SET = 24,
        TARVEX_SENSE_RESOLUTION_QUERY = 25,
        TARVEX_SENSE_ROSC_SOURCE_SET = 26,
        TARVEX_SENSE_ROSC_SOURCE_QUERY = 27,
        TARVEX_SENSE_LOWER_REF_SET = 28,
        TARVEX_SENSE_LOWER_REF_QUERY = 29,
        TARVEX_SENSE_UPPER_REF_SET = 30,
        TARVEX_SENSE_UPPER_REF_QUERY = 31,
        TARVEX_SENSE_FILTER_SET = 32,
        TARVEX_SENSE_FILTER_QUERY = 33,
        TARVEX_SENSE_AVERAGES_SET = 34,
        TARVEX_SENSE_AVERAGES_QUERY = 35,
    };
    enum
    {
        TARVEX_INPUT_ATTENUATION_SET = 1,
        TARVEX_INPUT_ATTENUATION_QUERY = 2,
        TARVEX_INPUT_COUPLING_SET = 3,
        TARVEX_INPUT_COUPLING_QUERY = 4,
        TARVEX_INPUT_IMPEDANCE_SET = 5,
        TARVEX_INPUT_IMPEDANCE_QUERY = 6,
        TARVEX_INPUT_ROUTING_SET = 7,
        TARVEX_INPUT_ROUTING_QUERY = 8,
    };
    enum
    {
        TARVEX_ARM_START_IMMEDIATE = 1, /* no value text, no query */
        TARVEX_ARM_START_LEVEL_SET = 2,
        TARVEX_ARM_START_LEVEL_QUERY = 3,
        TARVEX_ARM_START_SLOPE_SET = 4,
        TARVEX_ARM_START_SLOPE_QUERY = 5,
        TARVEX_ARM_START_SOURCE_SET = 6,
        TARVEX_ARM_START_SOURCE_QUERY = 7,
        TARVEX_ARM_STOP_IMMEDIATE = 8, /* no value text, no query */
        TARVEX_ARM_STOP_LEVEL_SET = 9,
        TARVEX_ARM_STOP_LEVEL_QUERY = 10,
        TARVEX_ARM_STOP_SLOPE_SET = 11,
        TARVEX_ARM_STOP_SLOPE_QUERY = 12,
        TARVEX_ARM_STOP_SOURCE_SET = 13,
        TARVEX_ARM_STOP_SOURCE_QUERY = 14,
    };
    enum
    {
        TARVEX_OUTPUT_TRIGGER_LINE_SET = 1, /* with the line number */
        TARVEX_OUTPUT_TRIGGER_LINE_QUERY = 2,
        TARVEX_OUTPUT_TIMEBASE_SET = 3, /* line 0 */
        TARVEX_OUTPUT_TIMEBASE_QUERY = 4,
    };

#if defined(TARVEX_BUILDING_DRIVER)
#define TARVEX_EXPORT __attribute__((visibility("default")))
#else
#define TARVEX_EXPORT
#endif

    /* Pointer types of the entry points, as the program looks them up. */
    typedef ViStatus (*tarvex_abort_fn)(ViSession vi, ViInt16 channel);
    typedef ViStatus (*tarvex_arm_fn)(ViSession vi, ViInt16 item, const ViChar* value, ViChar* answer);
    typedef ViStatus (*tarvex_fetch_fn)(ViSession vi, ViInt16 channel, ViChar reading[]);
    typedef ViStatus (*tarvex_initiate_fn)(ViSession vi, ViInt16 channel, ViInt16 mode, ViChar* text);
    typedef ViStatus (*tarvex_input_fn)(ViSession vi, ViInt16 channel, ViInt16 item, ViChar* text);
    typedef ViStatus (*tarvex_measure_fn)(ViSession vi, ViInt16 channel, ViInt16 function,
                                          const ViChar* expected, const ViChar* resolution, ViChar reading[]);
    typedef ViStatus (*tarvex_shortMeas_fn)(ViSession vi, ViInt16 channel, ViChar reading[]);
    typedef ViStatus (*tarvex_output_fn)(ViSession vi, ViInt16 item, ViInt16 line, ViChar* text);
    typedef ViStatus (*tarvex_read_fn)(ViSession vi, ViInt16 channel, ViChar reading[]);
    typedef ViStatus (*tarvex_shortConf_fn)(ViSession vi, ViInt16 channel, ViInt16 function);
    typedef ViStatus (*tarvex_configure_fn)(ViSession vi, ViInt16 channel, ViInt16 function,
                                            const ViChar* expected, const ViChar* resolution,
                                            const ViChar* lowerRef, const ViChar* upperRef);
    typedef ViStatus (*tarvex_sense_fn)(ViSession vi, ViInt16 channel, ViInt16 item, ViReal64 number,
                                        ViChar* text);
    typedef ViStatus (*tarvex_confQuery_fn)(ViSession vi, ViInt16 channel, ViChar answer[]);
    typedef ViStatus (*tarvex_operQ_fn)(ViSession vi, ViInt16* condition);
    typedef ViStatus (*tarvex_ieeecom_fn)(ViSession vi, const ViChar* command, ViChar* answer);
    typedef ViStatus (*tarvex_getSlot_fn)(ViSession vi, ViInt16* slot);
    typedef ViStatus (*tarvex_auto_init_fn)(ViInt16 search, ViChar*** resources, ViInt32* count,
                                            ViSession* vi, ViInt16 reserved);
    typedef ViStatus (*tarvex_getLA_fn)(ViSession vi, ViInt16* logicalAddress);
    typedef ViStatus (*tarvex_reset_fn)(ViSession vi);
    typedef ViStatus (*tarvex_self_test_fn)(ViSession vi, ViInt16* result, ViChar message[]);
    typedef ViStatus (*tarvex_init_fn)(const ViChar* resource, ViBoolean idQuery, ViBoolean reset,
                                       ViSession* vi);
    typedef ViStatus (*tarvex_close_fn)(ViSession vi);
    typedef ViStatus (*tarvex_ftoa_fn)(ViReal64 value, ViChar text[]);
    typedef ViStatus (*tarvex_timeOut_fn)(ViSession vi, ViInt32 milliseconds);
    typedef ViStatus (*tarvex_errorQueryDetect_fn)(ViSession vi, ViBoolean on);
    typedef ViStatus (*tarvex_error_query_fn)(ViSession vi, ViInt32* code, ViChar message[]);
    typedef ViStatus (*tarvex_dcl_fn)(ViSession vi);

#ifdef __cplusplus
}

/* The measurement functions as C++ names, for the program and a driver written in C++. */
enum class EMeasureFunction
{
    AcVolts = TARVEX_FUNCTION_AC,
    DcVolts = TARVEX_FUNCTION_DC,
    Frequency = TARVEX_FUNCTION_FREQ,
    FrequencyRatio = TARVEX_FUNCTION_FREQ_RATIO,
    FallTime = TARVEX_FUNCTION_FALL_TIME,
    MaxVolts = TARVEX_FUNCTION_MAX,
    MinVolts = TARVEX_FUNCTION_MIN,
    NegativeWidth = TARVEX_FUNCTION_NEG_WIDTH,
    Period = TARVEX_FUNCTION_PERIOD,
    PositiveWidth = TARVEX_FUNCTION_POS_WIDTH,
    RiseTime = TARVEX_FUNCTION_RISE_TIME,
    TimeInterval = TARVEX_FUNCTION_TIME_INTERVAL,
    Totalize = TARVEX_FUNCTION_TOTALIZE,
};
#endif

#endif
