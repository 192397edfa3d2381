/* A tiny library for the loader tests: one exported function to look up and call. */
int loaderprobe_add(int a, int b)
{
    return a + b;
}
