// QzTestModule.cpp: the dynamic library tests' module; its count restarts at each real load.
extern "C" __attribute__((visibility("default"))) int QzTestModuleCount()
{
    static int count = 0;
    return ++count;
}
