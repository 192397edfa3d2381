/* The library MissingDependency.c needs, built into a folder that no search reaches. */
int unreachable_value(void)
{
    return 0;
}
