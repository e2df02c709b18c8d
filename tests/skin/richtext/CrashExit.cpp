// A crash in this test program must fail the run: Wine's exit code after an unhandled stack overflow is
// not reliably non-zero, so any unhandled exception ends the process with code 3 here.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "unhandled exception 0x%08lx: the test program ends\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(EndOnCrash);

} // namespace
