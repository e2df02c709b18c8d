// Entry point of every test program: no error box may ever wait for a person, and a crash must fail the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

// Wine's exit code after an unhandled exception (a stack overflow above all) is not reliably non-zero,
// so any unhandled exception ends the test program with code 3.
static LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "unhandled exception 0x%08lx: the test program ends\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
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
