// Entry point of every test program: no error box may ever wait for a person, and a crash must fail the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

// Wine's exit code after an unhandled exception (a stack overflow above all) is not reliably non-zero,
// so any unhandled exception ends the test program with code 3.
static LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info)
{
    // Where it happened, as module and offset, so that a crash seen once can be found with the map file.
    void* at = info->ExceptionRecord->ExceptionAddress;
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(at), &module))
        GetModuleFileNameA(module, name, sizeof name);
    std::fprintf(stderr, "unhandled exception 0x%08lx at %s+0x%lx (thread %lu): the test program ends\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), name,
                 static_cast<unsigned long>(static_cast<char*>(at) - reinterpret_cast<char*>(module)),
                 GetCurrentThreadId());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
