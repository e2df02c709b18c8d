// Inline patches: a system function's first instructions are moved into a trampoline built into the
// program and replaced by a jump to the replacement, so that every caller reaches the replacement and the
// replacement still reaches the real function through the trampoline.
//
// A trampoline is 32 bytes of code that start 0x90 0x90, a call to a getter that returns the real
// function's address, and a jump to that address; before patching, a call through it simply reaches
// the real function. Byte 31 records how many bytes were moved.
#pragma once
#include <windows.h>

// TRUE when patched. Fails for a trampoline of another form or a function whose first instructions
// cover fewer than 5 or more than 26 bytes before a return or jump ends them.
BOOL InstallInlineHook(void* trampoline, void* replacement);
// TRUE when the moved bytes are back in the real function and the trampoline is as it was built.
// Otherwise FALSE with the last error: ERROR_INVALID_HANDLE (the trampoline holds no patch),
// ERROR_INVALID_BLOCK (the function no longer starts with a jump), ERROR_INVALID_ACCESS (its jump leads
// elsewhere than the replacement) or ERROR_INVALID_DATA (the bytes could not be copied back).
BOOL RemoveInlineHook(void* trampoline, void* replacement);

struct InlineHookPair {
    void* trampoline;
    void* replacement;
};
// Patches every function of a group, or none: when one cannot be patched, those already patched are
// restored and the result is FALSE.
BOOL InstallInlineHooks(const InlineHookPair* pairs, int count);
void RemoveInlineHooks(const InlineHookPair* pairs, int count);

// Declares a trampoline whose getter returns the real function's address: INLINE_TRAMPOLINE(Name, Getter)
// at namespace scope in one source file; Name is then a char array naming the trampoline's code.
#ifndef _WIN64
#define INLINE_TRAMPOLINE(name, getter)                                                                                \
    extern "C" void* getter();                                                                                         \
    extern "C" char name[];                                                                                            \
    __asm__(".text\n"                                                                                                  \
            ".balign 16\n"                                                                                             \
            ".globl _" #name "\n"                                                                                      \
            "_" #name ":\n"                                                                                            \
            "nop\n"                                                                                                    \
            "nop\n"                                                                                                    \
            "call _" #getter "\n"                                                                                      \
            "jmp *%eax\n"                                                                                              \
            ".fill 23, 1, 0xCC\n")
#else
// The 64-bit build (for machines that cannot run 32-bit code) never patches: its trampoline only keeps
// the argument registers across the getter and jumps to the real function.
#define INLINE_TRAMPOLINE(name, getter)                                                                                \
    extern "C" void* getter();                                                                                         \
    extern "C" char name[];                                                                                            \
    __asm__(".text\n"                                                                                                  \
            ".balign 16\n"                                                                                             \
            ".globl " #name "\n" #name ":\n"                                                                           \
            "nop\n"                                                                                                    \
            "nop\n"                                                                                                    \
            "push %rcx\n"                                                                                              \
            "push %rdx\n"                                                                                              \
            "push %r8\n"                                                                                               \
            "push %r9\n"                                                                                               \
            "sub $40, %rsp\n"                                                                                          \
            "call " #getter "\n"                                                                                       \
            "add $40, %rsp\n"                                                                                          \
            "pop %r9\n"                                                                                                \
            "pop %r8\n"                                                                                                \
            "pop %rdx\n"                                                                                               \
            "pop %rcx\n"                                                                                               \
            "jmp *%rax\n")
#endif
