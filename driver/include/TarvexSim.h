/* Control of the simulated counter, for tests: state, faults, replies, the call log, the clock and a
 * reentry hook. Not part of the driver ABI; a real driver has none of this. */
#ifndef TARVEX_SIM_H
#define TARVEX_SIM_H

#include <stdint.h>

#if defined(TARVEX_BUILDING_DRIVER)
#define TARVEXSIM_EXPORT __attribute__((visibility("default")))
#else
#define TARVEXSIM_EXPORT
#endif

#ifdef __cplusplus
extern "C"
{
#endif

/* Statuses of the simulated driver besides those of the ABI header (VISA and instrument-driver codes). */
#define TARVEXSIM_ERROR_INV_SESSION ((int32_t)0xBFFF000E)  /* unknown or closed session handle */
#define TARVEXSIM_ERROR_RSRC_NFOUND ((int32_t)0xBFFF0011)  /* no such resource, or a search finds none */
#define TARVEXSIM_ERROR_NULL_POINTER ((int32_t)0xBFFF0071) /* a needed text, buffer or output is null */
#define TARVEXSIM_ERROR_PARAMETER2 ((int32_t)0xBFFC0002)   /* second argument out of range */

    /* Back to the power-on state: settings, error queue, faults, replies, hook and call log cleared, the
     * resources and slot taken again from the environment (or the defaults), the wall clock in use. */
    TARVEXSIM_EXPORT void tarvexsim_reset(void);

    /* The clock: by default the wall clock; in manual mode time moves only by tarvexsim_advance_ms. */
    TARVEXSIM_EXPORT void tarvexsim_use_manual_clock(int on);
    TARVEXSIM_EXPORT void tarvexsim_advance_ms(int64_t milliseconds);

    /* What tarvex_auto_init finds (count texts; 0 finds nothing, and the search fails with
     * TARVEXSIM_ERROR_RSRC_NFOUND) and the slot of the opened instrument. */
    TARVEXSIM_EXPORT void tarvexsim_set_resources(const char* const* resources, int count);
    TARVEXSIM_EXPORT void tarvexsim_set_slot(int slot);

    /* The entry point (e.g. "tarvex_fetch") returns status instead of doing its work on its next count calls
     * (count -1: until cleared). A status of TARVEX_INSTR_ERROR_DETECTED also queues errorText (when not
     * null) as the instrument error -200,"<errorText>". */
    TARVEXSIM_EXPORT void tarvexsim_set_fault(const char* entryPoint, int32_t status, int count,
                                              const char* errorText);
    TARVEXSIM_EXPORT void tarvexsim_clear_faults(void);

    /* Puts an entry into the instrument's error queue, as "<code>,\"<message>\"". */
    TARVEXSIM_EXPORT void tarvexsim_push_error(int32_t code, const char* message);

    /* Until cleared, a query of the entry point with this item code (for tarvex_fetch, tarvex_read and mode 3
     * of tarvex_initiate: any item, pass 0) answers text instead of the simulated state. A null text clears
     * it. */
    TARVEXSIM_EXPORT void tarvexsim_set_reply(const char* entryPoint, int item, const char* text);

    /* Fault mode for answers: every answer fills the whole 256-character buffer with non-NUL characters and
     * no terminating NUL (on), or answers normally (off). */
    TARVEXSIM_EXPORT void tarvexsim_set_unterminated_answers(int on);

    /* The call log: one line per call of an entry point, in order:
     *   <entry point> <arguments> -> <status>
     * arguments separated by one blank, the session handle left out; integers in decimal, numbers with "%g",
     * input texts in double quotes, null pointers as NULL, answer buffers and other out-arguments as "out".
     * Examples: tarvex_sense 1 4 1.5 NULL -> 0    tarvex_sense 1 5 0 out -> 0    tarvex_arm 4 "BUS" NULL -> 0
     * Only the newest TARVEXSIM_CALL_LOG_LINES lines are kept (index 0 is the oldest kept); with
     * TARVEXSIM_TRACE naming a file, every line is appended to it. */
#define TARVEXSIM_CALL_LOG_LINES 1000
    TARVEXSIM_EXPORT int tarvexsim_call_count(void);
    TARVEXSIM_EXPORT const char* tarvexsim_call(int index); /* null when out of range */
    TARVEXSIM_EXPORT void tarvexsim_clear_calls(void);

    /* Runs fn(context) once, from inside the next call of the entry point (before it does its work), so a
     * test can call back into the program while a driver call is in progress. */
    typedef void (*tarvexsim_hook_fn)(void* context);
    TARVEXSIM_EXPORT void tarvexsim_set_hook(const char* entryPoint, tarvexsim_hook_fn fn, void* context);

    /* The simulated external arming signal (source EXT): an edge arms when on. */
    TARVEXSIM_EXPORT void tarvexsim_set_external_arm(int on);

    /* Reads back one stored setting as the instrument would answer its query, for tests that check what was
     * set without going through the program: e.g. ("tarvex_sense", 1, 11) gives channel 1's slope. */
    TARVEXSIM_EXPORT const char* tarvexsim_query(const char* entryPoint, int channel, int item);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include "TarvexEntryPoints.h"
#endif

#endif
