// The driver's entry points declared from the ABI's pointer types, for C++ code that links a driver directly
// rather than loading it: the drivers themselves (so that their definitions must match) and their tests.
#ifndef TARVEX_ENTRY_POINTS_H
#define TARVEX_ENTRY_POINTS_H

#include "TarvexAbi.h"

#include <type_traits>

extern "C"
{
    TARVEX_EXPORT std::remove_pointer_t<tarvex_abort_fn> tarvex_abort;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_arm_fn> tarvex_arm;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_fetch_fn> tarvex_fetch;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_initiate_fn> tarvex_initiate;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_input_fn> tarvex_input;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_measure_fn> tarvex_measure;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_shortMeas_fn> tarvex_shortMeas;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_output_fn> tarvex_output;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_read_fn> tarvex_read;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_shortConf_fn> tarvex_shortConf;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_configure_fn> tarvex_configure;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_sense_fn> tarvex_sense;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_confQuery_fn> tarvex_confQuery;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_operQ_fn> tarvex_operQ;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_ieeecom_fn> tarvex_ieeecom;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_getSlot_fn> tarvex_getSlot;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_auto_init_fn> tarvex_auto_init;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_getLA_fn> tarvex_getLA;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_reset_fn> tarvex_reset;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_self_test_fn> tarvex_self_test;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_init_fn> tarvex_init;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_close_fn> tarvex_close;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_ftoa_fn> tarvex_ftoa;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_timeOut_fn> tarvex_timeOut;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_errorQueryDetect_fn> tarvex_errorQueryDetect;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_error_query_fn> tarvex_error_query;
    TARVEX_EXPORT std::remove_pointer_t<tarvex_dcl_fn> tarvex_dcl;
}

#endif
