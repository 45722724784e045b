// QzTestModule.cpp: a shared module for the dynamic library tests; its
// count starts at zero each time the module is really loaded.
extern "C" __attribute__((visibility("default"))) int QzTestModuleCount()
{
    static int count = 0;
    return ++count;
}
