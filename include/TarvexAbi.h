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
#endif

#endif
