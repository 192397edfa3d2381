/* A stand-in for the VISA library: the program only loads it, so it carries nothing but its version. */

#define VISA_EXPORT __attribute__((visibility("default")))

/* The version of the VISA standard this stand-in answers to, as VISA writes it (major, minor, sub). */
VISA_EXPORT unsigned long viVersion(void)
{
    return 0x00500800UL;
}
