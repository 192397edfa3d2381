/* A driver library that cannot load: it needs a library that lies on no search path. */
int unreachable_value(void);

int tarvex_reset(unsigned vi)
{
    return unreachable_value() + (int)vi;
}
