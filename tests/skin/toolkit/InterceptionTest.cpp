// Interception of system functions: the OS kind, the instruction-length decoder, inline patches on
// functions of this program, import-table redirection (also of a module loaded later), and the
// scroll-bar and colour functions while the toolkit runs: untouched on the prefix's own Windows
// version, patched and answered from the skin when Wine reports Windows XP, restored at shut-down.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/interception/ApiReplacements.h"
#include "skin/engine/interception/ButtonClassProc.h"
#include "skin/engine/interception/ImportHook.h"
#include "skin/engine/interception/InlineHook.h"
#include "skin/engine/interception/InstructionDecoder.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"

namespace {
BYTE* JumpTarget(BYTE* at)
{
    int32_t rel;
    std::memcpy(&rel, at + 1, 4);
    return at + 5 + rel;
}

} // namespace

// The inline patches move 32-bit code; the 64-bit build (machines that cannot run 32-bit programs)
// refuses them, and their tests are left out there.
#ifndef _WIN64
// Functions with known first instructions, for the inline patches.
extern "C" int __cdecl TestAdd(int a, int b);
extern "C" int __cdecl TestReturnFirst(int a, int b);
extern "C" int __cdecl TestCallFirst(int a, int b);
extern "C" int __cdecl TestForty();
__asm__(".text\n"
        ".balign 16\n"
        ".globl _TestAdd\n"
        "_TestAdd:\n"
        "movl %edi, %edi\n"
        "pushl %ebp\n"
        "movl %esp, %ebp\n"
        "movl 8(%ebp), %eax\n"
        "addl 12(%ebp), %eax\n"
        "popl %ebp\n"
        "ret\n"
        ".balign 16\n"
        ".globl _TestReturnFirst\n"
        "_TestReturnFirst:\n"
        "ret\n"
        ".fill 8, 1, 0x90\n"
        ".balign 16\n"
        ".globl _TestForty\n"
        "_TestForty:\n"
        "movl $40, %eax\n"
        "ret\n"
        ".balign 16\n"
        ".globl _TestCallFirst\n"
        "_TestCallFirst:\n"
        "call _TestForty\n"
        "addl 4(%esp), %eax\n"
        "addl 8(%esp), %eax\n"
        "ret\n");

namespace {
void* g_target = nullptr;
}

extern "C" void* TestTargetAddress()
{
    return g_target;
}

INLINE_TRAMPOLINE(TestTrampoline, TestTargetAddress);

extern "C" void* TestReturnFirstAddress()
{
    return reinterpret_cast<void*>(&TestReturnFirst);
}

INLINE_TRAMPOLINE(ReturnFirstTrampoline, TestReturnFirstAddress);

namespace {

using Binary = int(__cdecl*)(int, int);

int ThroughTrampoline(int a, int b)
{
    return reinterpret_cast<Binary>(reinterpret_cast<void*>(TestTrampoline))(a, b);
}

extern "C" int __cdecl TestReplacement(int a, int b)
{
    return 1000 + ThroughTrampoline(a, b);
}

void* Replacement()
{
    return reinterpret_cast<void*>(&TestReplacement);
}

// Called through a volatile pointer so that the call always reaches the code as it now is.
int Call(Binary function, int a, int b)
{
    Binary volatile pointer = function;
    return pointer(a, b);
}

BYTE* Code(Binary function)
{
    return reinterpret_cast<BYTE*>(reinterpret_cast<void*>(function));
}

void WriteCode(BYTE* at, const void* bytes, size_t size)
{
    DWORD old;
    VirtualProtect(at, size, PAGE_EXECUTE_READWRITE, &old);
    std::memcpy(at, bytes, size);
    VirtualProtect(at, size, old, &old);
    FlushInstructionCache(GetCurrentProcess(), at, size);
}

} // namespace
#endif // _WIN64

TEST(OSKind, FromTheVersion)
{
    auto info = [](DWORD major, DWORD minor) {
        OSVERSIONINFOA v = {};
        v.dwOSVersionInfoSize = sizeof v;
        v.dwMajorVersion = major;
        v.dwMinorVersion = minor;
        return v;
    };
    struct Case {
        DWORD version;
        OSVERSIONINFOA record;
        bool haveRecord;
        int kind;
    } cases[] = {
        {0x80000003, info(3, 10), true, OSKindOld},   {0xC0000004, info(4, 0), true, OSKindWin95},
        {0xC0000A04, info(4, 10), true, OSKindWin98}, {0xC0005A04, info(4, 90), true, OSKindWinMe},
        {0xC0000004, info(4, 0), false, OSKindWin95}, {0x80000005, info(5, 0), true, OSKindWin95},
        {0x05650004, info(4, 0), true, OSKindNT4},    {0x08930005, info(5, 0), true, OSKindWin2000},
        {0x0A280105, info(5, 1), true, OSKindWinXP},  {0x0ECE0205, info(5, 2), true, OSKindOther},
        {0x23F00206, info(6, 2), true, OSKindOther},  {0x0A280105, info(5, 1), false, OSKindOther},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kind, OSKindFromVersion(c.version, c.haveRecord ? &c.record : nullptr))
            << std::hex << c.version << " " << c.record.dwMajorVersion << "." << c.record.dwMinorVersion;
}

TEST(OSKind, OfThisRun)
{
#if defined(TESSARINE_XP_RUN)
    EXPECT_EQ(OSKindWinXP, GetOSKind()) << "Wine's version for tessarine_xp_tests.exe must be set to winxp";
#elif defined(TESSARINE_98_RUN)
    EXPECT_EQ(OSKindWin98, GetOSKind()) << "Wine's version for tessarine_98_tests.exe must be set to win98";
#else
    EXPECT_EQ(OSKindOther, GetOSKind());
#endif
}

namespace {

// A pointer-sized slot whose address fits in 32 bits, as 32-bit code addresses its pointers; the 64-bit
// build's own data lies above 4 GB.
DWORD* LowPointerSlot()
{
    static DWORD* slot = NULL;
    for (uintptr_t at = 0x10000000; !slot && at < 0x80000000u; at += 0x01000000)
        slot = static_cast<DWORD*>(
            VirtualAlloc(reinterpret_cast<void*>(at), 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    return slot;
}

} // namespace

TEST(InstructionDecoder, LengthsFromTheOpcodeMap)
{
    struct Case {
        std::vector<BYTE> bytes;
        int length;
        int relative;
    } cases[] = {
        {{0x8B, 0xFF}, 2, 0},                               // mov edi, edi
        {{0x55}, 1, 0},                                     // push ebp
        {{0x83, 0xEC, 0x10}, 3, 0},                         // sub esp, 16
        {{0x81, 0xEC, 0x00, 0x01, 0x00, 0x00}, 6, 0},       // sub esp, 256
        {{0x66, 0x81, 0xEC, 0x00, 0x01}, 5, 0},             // sub sp, 256
        {{0x8B, 0x44, 0x24, 0x04}, 4, 0},                   // mov eax, [esp+4]
        {{0x8B, 0x84, 0x24, 0x00, 0x01, 0x00, 0x00}, 7, 0}, // mov eax, [esp+256]
        {{0x8B, 0x04, 0x85, 0, 0, 0, 0}, 7, 0},             // mov eax, [eax*4+disp32]
        {{0x8B, 0x05, 0, 0, 0, 0}, 6, 0},                   // mov eax, [disp32]
        {{0x67, 0x8B, 0x46, 0x02}, 4, 0},                   // mov eax, [bp+2] (16-bit address)
        {{0xA1, 0, 0, 0, 0}, 5, 0},                         // mov eax, [moffs32]
        {{0x67, 0xA1, 0, 0}, 4, 0},                         // mov eax, [moffs16]
        {{0x64, 0xA1, 0, 0, 0, 0}, 6, 0},                   // mov eax, fs:[0]
        {{0xF6, 0xC1, 0x01}, 3, 0},                         // test cl, 1
        {{0xF6, 0xD1}, 2, 0},                               // not cl
        {{0xF7, 0xC1, 1, 0, 0, 0}, 6, 0},                   // test ecx, 1
        {{0x66, 0xF7, 0xC1, 1, 0}, 5, 0},                   // test cx, 1
        {{0xC8, 0x10, 0x00, 0x00}, 4, 0},                   // enter 16, 0
        {{0xC2, 0x08, 0x00}, 3, 0},                         // ret 8
        {{0x0F, 0xB6, 0x45, 0x08}, 4, 0},                   // movzx eax, byte [ebp+8]
        {{0x0F, 0xBA, 0xE0, 0x03}, 4, 0},                   // bt eax, 3
        {{0x66, 0x0F, 0x3A, 0x0F, 0xC1, 0x08}, 6, 0},       // palignr xmm0, xmm1, 8
        {{0xE8, 0x10, 0, 0, 0}, 5, 4},                      // call rel32
        {{0xEB, 0x05}, 2, 1},                               // jmp rel8
        {{0x0F, 0x84, 0x10, 0, 0, 0}, 6, 4},                // je rel32
        {{0xE3, 0x02}, 2, 1},                               // jecxz rel8
        {{0xFF, 0xD0}, 2, 0},                               // call eax
        {{0xF3, 0xA5}, 2, 0},                               // rep movsd
    };
    for (const Case& c : cases) {
        std::vector<BYTE> padded(c.bytes);
        padded.resize(32, 0x90);
        DecodedInstruction info;
        const BYTE* next = CopyInstruction(nullptr, padded.data(), &info);
        ASSERT_NE(nullptr, next) << "opcode " << std::hex << int(c.bytes[0]);
        EXPECT_EQ(c.length, next - padded.data()) << "opcode " << std::hex << int(c.bytes[0]);
        EXPECT_EQ(c.relative, info.relativeBytes) << "opcode " << std::hex << int(c.bytes[0]);
    }
    // Indirect branches: through a known pointer (a 32-bit pointer at a 32-bit address), or unknown.
    DecodedInstruction info;
    DWORD* slot = LowPointerSlot();
    ASSERT_NE(nullptr, slot) << "memory below 4 GB for the pointer";
    slot[0] = 0x12345678;
    slot[1] = 0xDEADBEEF; // beyond the 32-bit pointer: never part of the target
    for (BYTE form : {BYTE(0x15), BYTE(0x25)}) {
        BYTE indirect[8] = {0xFF, form};
        const uint32_t where = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(slot));
        std::memcpy(indirect + 2, &where, 4);
        ASSERT_NE(nullptr, CopyInstruction(nullptr, indirect, &info));
        EXPECT_EQ(reinterpret_cast<const BYTE*>(static_cast<uintptr_t>(0x12345678)), info.target) << int(form);
        EXPECT_EQ(6, info.length);
    }
    const BYTE callEax[] = {0xFF, 0xD0, 0x90};
    CopyInstruction(nullptr, callEax, &info);
    EXPECT_TRUE(info.targetUnknown);
    SetLastError(0);
    EXPECT_EQ(nullptr, CopyInstruction(nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
}

TEST(InstructionDecoder, CopiesKeepBranchTargets)
{
    std::vector<BYTE> code(4096, 0x90);
    const BYTE call[] = {0xE8, 0x00, 0x01, 0x00, 0x00}; // call +256
    std::memcpy(code.data(), call, sizeof call);
    DecodedInstruction info;
    ASSERT_NE(nullptr, CopyInstruction(code.data() + 2000, code.data(), &info));
    EXPECT_EQ(code.data() + 5 + 256, info.target);
    DecodedInstruction moved;
    CopyInstruction(nullptr, code.data() + 2000, &moved);
    EXPECT_EQ(info.target, moved.target);
    // A short jump cannot reach its old target from far away: the copy fails.
    const BYTE shortJump[] = {0xEB, 0x05};
    std::memcpy(code.data() + 100, shortJump, sizeof shortJump);
    EXPECT_EQ(nullptr, CopyInstruction(code.data() + 3000, code.data() + 100));
    EXPECT_NE(nullptr, CopyInstruction(code.data() + 110, code.data() + 100));
    EXPECT_EQ(code.data() + 107, code.data() + 112 + static_cast<int8_t>(code[111]));
}

#ifndef _WIN64
TEST(InlineHook, PatchCallRemoveAndPatchAgain)
{
    BYTE original[16];
    std::memcpy(original, Code(TestAdd), sizeof original);
    g_target = reinterpret_cast<void*>(&TestAdd);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(InstallInlineHook(TestTrampoline, Replacement()));
        EXPECT_EQ(0xE9, Code(TestAdd)[0]);
        EXPECT_EQ(reinterpret_cast<BYTE*>(Replacement()), JumpTarget(Code(TestAdd)));
        EXPECT_EQ(5, static_cast<BYTE>(TestTrampoline[31])); // mov edi,edi; push ebp; mov ebp,esp
        EXPECT_EQ(1005, Call(TestAdd, 2, 3));
        EXPECT_EQ(5, ThroughTrampoline(2, 3));
        ASSERT_TRUE(RemoveInlineHook(TestTrampoline, Replacement()));
        EXPECT_EQ(0, std::memcmp(original, Code(TestAdd), sizeof original));
        EXPECT_EQ(5, Call(TestAdd, 2, 3));
        EXPECT_EQ(5, ThroughTrampoline(2, 3)); // the trampoline is a plain stub again
    }
}

TEST(InlineHook, RelativeCallMovesWithTheTrampoline)
{
    BYTE original[16];
    std::memcpy(original, Code(TestCallFirst), sizeof original);
    g_target = reinterpret_cast<void*>(&TestCallFirst);
    ASSERT_TRUE(InstallInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(43, ThroughTrampoline(1, 2));
    EXPECT_EQ(1043, Call(TestCallFirst, 1, 2));
    ASSERT_TRUE(RemoveInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(0, std::memcmp(original, Code(TestCallFirst), sizeof original));
}

TEST(InlineHook, RefusesWhatCannotBeMovedOrRestored)
{
    // A function whose first instruction is a return is left alone.
    BYTE original[8];
    std::memcpy(original, Code(TestReturnFirst), sizeof original);
    g_target = reinterpret_cast<void*>(&TestReturnFirst);
    EXPECT_FALSE(InstallInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(0, std::memcmp(original, Code(TestReturnFirst), sizeof original));
    EXPECT_FALSE(InstallInlineHook(Replacement(), Replacement())); // not a trampoline

    // Nothing patched: nothing to remove.
    SetLastError(0);
    EXPECT_FALSE(RemoveInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());

    g_target = reinterpret_cast<void*>(&TestAdd);
    ASSERT_TRUE(InstallInlineHook(TestTrampoline, Replacement()));
    BYTE* target = Code(TestAdd);
    BYTE patched[5];
    std::memcpy(patched, target, 5);
    // Someone else patched the function over ours: its jump leads elsewhere.
    BYTE elsewhere[5] = {0xE9};
    const int32_t rel = static_cast<int32_t>(Code(TestCallFirst) - (target + 5));
    std::memcpy(elsewhere + 1, &rel, 4);
    WriteCode(target, elsewhere, 5);
    EXPECT_FALSE(RemoveInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_ACCESS), GetLastError());
    // ... or does not start with a jump at all.
    const BYTE nop = 0x90;
    WriteCode(target, &nop, 1);
    EXPECT_FALSE(RemoveInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_BLOCK), GetLastError());
    WriteCode(target, patched, 5);
    EXPECT_TRUE(RemoveInlineHook(TestTrampoline, Replacement()));
    EXPECT_EQ(5, Call(TestAdd, 2, 3));
}

TEST(InlineHook, GroupIsPatchedWholeOrNotAtAll)
{
    BYTE original[16];
    std::memcpy(original, Code(TestAdd), sizeof original);
    g_target = reinterpret_cast<void*>(&TestAdd);
    // The second function of the group cannot be patched: the first is taken back.
    const InlineHookPair group[2] = {{TestTrampoline, Replacement()}, {ReturnFirstTrampoline, Replacement()}};
    EXPECT_FALSE(InstallInlineHooks(group, 2));
    EXPECT_EQ(0, std::memcmp(original, Code(TestAdd), sizeof original));
    EXPECT_EQ(5, Call(TestAdd, 2, 3));
    ASSERT_TRUE(InstallInlineHooks(group, 1));
    EXPECT_EQ(1005, Call(TestAdd, 2, 3));
    RemoveInlineHooks(group, 1);
    EXPECT_EQ(0, std::memcmp(original, Code(TestAdd), sizeof original));
}

#endif // _WIN64

namespace {

int WINAPI FakeGetScrollPos(HWND, int)
{
    return 4321;
}

// The compiler may keep an import-table entry it has read in a register; these read it on every call.
__attribute__((noinline)) int ScrollPosThroughImports(HWND hwnd, int bar)
{
    return GetScrollPos(hwnd, bar);
}

__attribute__((noinline)) void* ProcThroughImports(HMODULE module, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(module, name));
}

// Where this program's import table sends its GetScrollPos calls.
__attribute__((noinline)) void* ImportedGetScrollPos()
{
    return reinterpret_cast<void*>(&GetScrollPos);
}

HWND ScrolledWindow()
{
    HWND frame = MakeFrame("Scrolled", WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    SetScrollRange(frame, SB_VERT, 0, 50, FALSE);
    SetScrollPos(frame, SB_VERT, 7, FALSE);
    return frame;
}

} // namespace

TEST(ImportHook, RedirectsEveryModulesTable)
{
    HWND frame = ScrolledWindow();
    void* fake = reinterpret_cast<void*>(&FakeGetScrollPos);
    {
        ImportHook hook("USER32.dll", "GetScrollPos", fake);
        ASSERT_NE(nullptr, hook.Real());
        EXPECT_GE(hook.PatchedModules(), 1);
        EXPECT_EQ(4321, ScrollPosThroughImports(frame, SB_VERT));
        EXPECT_EQ(fake, ImportHook::MapAddress(hook.Real()));
        EXPECT_EQ(&hook, ImportHook::First());
    }
    EXPECT_EQ(7, ScrollPosThroughImports(frame, SB_VERT));
    EXPECT_EQ(nullptr, ImportHook::First());
    ImportHook missing("USER32.dll", "NoSuchFunction", fake);
    EXPECT_EQ(nullptr, missing.Real());
    DestroyWindow(frame);
}

TEST(ImportHook, ModulesLoadedLaterAndLateLookUps)
{
    HWND frame = ScrolledWindow();
    void* fake = reinterpret_cast<void*>(&FakeGetScrollPos);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const FARPROC real = GetProcAddress(user32, "GetScrollPos");
    HookLoaderFunctions();
    {
        ImportHook hook("USER32.dll", "GetScrollPos", fake);
        HMODULE probe = LoadLibraryA("tessarine_hook_probe.dll");
        ASSERT_NE(nullptr, probe);
        auto probeCall = reinterpret_cast<int(__cdecl*)(HWND, int)>(
            reinterpret_cast<void*>(GetProcAddress(probe, "ProbeGetScrollPos")));
        ASSERT_NE(nullptr, probeCall);
        EXPECT_EQ(4321, probeCall(frame, SB_VERT));
        EXPECT_EQ(fake, ProcThroughImports(user32, "GetScrollPos"));
        FreeLibrary(probe);
    }
    UnhookAllImports();
    EXPECT_EQ(reinterpret_cast<void*>(real), ProcThroughImports(user32, "GetScrollPos"));
    EXPECT_EQ(7, ScrollPosThroughImports(frame, SB_VERT));
    DestroyWindow(frame);
}

namespace {

// The code the platform runs for each intercepted function (import jumps followed).
struct SystemFunction {
    const char* name;
    BYTE* code;
    BYTE before[8];
};

std::vector<SystemFunction> SystemFunctions()
{
    std::vector<SystemFunction> functions;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    for (const char* name : {"EnableScrollBar", "GetScrollInfo", "GetScrollPos", "GetScrollRange", "SetScrollInfo",
                             "SetScrollPos", "SetScrollRange", "ShowScrollBar", "GetSysColor", "GetSysColorBrush"}) {
        SystemFunction f = {name, reinterpret_cast<BYTE*>(reinterpret_cast<void*>(GetProcAddress(user32, name))), {}};
        if (f.code[0] == 0xFF && f.code[1] == 0x25) {
            // jmp [address]; on 64-bit code the address is relative to the next instruction.
            int32_t operand;
            std::memcpy(&operand, f.code + 2, sizeof operand);
            BYTE** pointer = sizeof(void*) == 4 ? reinterpret_cast<BYTE**>(static_cast<uintptr_t>(operand))
                                                : reinterpret_cast<BYTE**>(f.code + 6 + operand);
            f.code = *pointer;
        }
        std::memcpy(f.before, f.code, sizeof f.before);
        functions.push_back(f);
    }
    return functions;
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH logical = {};
    if (!GetObjectA(brush, sizeof logical, &logical))
        return CLR_INVALID;
    return logical.lbColor;
}

void DarkWindowSkin(SkinStore& skin)
{
    SysColorTableSkinObject* colors = AddObject<SysColorTableSkinObject>(skin, "SysColorTable");
    colors->colors[0] = RGB(9, 8, 7);
    colors->colors[COLOR_WINDOW] = RGB(1, 2, 3);
}

} // namespace

TEST(Interception, ColourReplacementsAnswerFromTheSkinsTable)
{
    ToolkitRun toolkit;
    ASSERT_TRUE(toolkit.started);
    MakeCurrentSkin(DarkWindowSkin);
    EXPECT_EQ(RGB(1, 2, 3), SkinGetSysColor(COLOR_WINDOW));
    // An index out of the table's range gives its colour 0.
    for (int index : {31, -1, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(RGB(9, 8, 7), SkinGetSysColor(index));
        EXPECT_EQ(RGB(9, 8, 7), BrushColour(SkinGetSysColorBrush(index)));
    }
    HBRUSH windowBrush = SkinGetSysColorBrush(COLOR_WINDOW);
    EXPECT_EQ(RGB(1, 2, 3), BrushColour(windowBrush));
    EXPECT_EQ(windowBrush, SkinGetSysColorBrush(COLOR_WINDOW)) << "one lasting brush per colour";
    // Without a colour table in the skin, the platform answers; a handed-out brush outlives the skin.
    MakeCurrentSkin([](SkinStore&) {});
    EXPECT_EQ(RealApi().getSysColor(COLOR_WINDOW), SkinGetSysColor(COLOR_WINDOW));
    EXPECT_EQ(RealApi().getSysColorBrush(COLOR_HIGHLIGHT), SkinGetSysColorBrush(COLOR_HIGHLIGHT));
    EXPECT_EQ(RGB(1, 2, 3), BrushColour(windowBrush));
}

TEST(Interception, ScrollBarAndColourFunctionsWhileTheToolkitRuns)
{
    std::vector<SystemFunction> functions = SystemFunctions();
    HWND frame = ScrolledWindow();
    const COLORREF platformWindow = GetSysColor(COLOR_WINDOW);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first start-up" : "second start-up");
        {
            ToolkitRun toolkit;
            ASSERT_TRUE(toolkit.started);
            MakeCurrentSkin(DarkWindowSkin);
            const SysColorTableSkinObject* table = SkinEngine::Instance().GetCurrentSkin()->SystemColors();
            ASSERT_NE(nullptr, table);
            // The 64-bit build refuses inline patches, so nothing is intercepted there.
            if (GetOSKind() == OSKindWinXP && sizeof(void*) == 4) {
                EXPECT_TRUE(ScrollBarFunctionsIntercepted());
                EXPECT_TRUE(ColorFunctionsIntercepted());
                for (const SystemFunction& f : functions)
                    EXPECT_EQ(0xE9, f.code[0]) << f.name;
                EXPECT_EQ(reinterpret_cast<BYTE*>(&SkinGetScrollPos), JumpTarget(functions[2].code));
                EXPECT_EQ(reinterpret_cast<BYTE*>(&SkinGetSysColor), JumpTarget(functions[8].code));
                // Scroll bars still answer as the platform keeps them, through the trampolines.
                EXPECT_EQ(7, GetScrollPos(frame, SB_VERT));
                SetScrollPos(frame, SB_VERT, 9, FALSE);
                EXPECT_EQ(9, GetScrollPos(frame, SB_VERT));
                SCROLLINFO info = {};
                info.cbSize = sizeof info;
                info.fMask = SIF_RANGE;
                EXPECT_TRUE(GetScrollInfo(frame, SB_VERT, &info));
                EXPECT_EQ(50, info.nMax);
                // Colours come from the skin, for the program and for the platform's own painting (the
                // replacements themselves are tested in every build below).
                EXPECT_EQ(RGB(1, 2, 3), GetSysColor(COLOR_WINDOW));
                EXPECT_EQ(RGB(1, 2, 3), BrushColour(GetSysColorBrush(COLOR_WINDOW)));
                (void)table;
                // Another module asking the platform gets the skin's colour too.
                HMODULE probe = LoadLibraryA("tessarine_hook_probe.dll");
                ASSERT_NE(nullptr, probe);
                auto probeColor = reinterpret_cast<COLORREF(__cdecl*)(int)>(
                    reinterpret_cast<void*>(GetProcAddress(probe, "ProbeGetSysColor")));
                EXPECT_EQ(RGB(1, 2, 3), probeColor(COLOR_WINDOW));
                FreeLibrary(probe);
                MakeCurrentSkin([](SkinStore&) {});
                EXPECT_EQ(platformWindow, GetSysColor(COLOR_WINDOW));
            } else if (GetOSKind() == OSKindWin98 || GetOSKind() == OSKindWinMe) {
                // The import tables of every module lead to the replacements; the code stays as it was.
                EXPECT_TRUE(ScrollBarFunctionsIntercepted());
                EXPECT_FALSE(ColorFunctionsIntercepted());
                for (const SystemFunction& f : functions)
                    EXPECT_EQ(0, std::memcmp(f.before, f.code, sizeof f.before)) << f.name;
                EXPECT_EQ(reinterpret_cast<void*>(&SkinGetScrollPos), ImportedGetScrollPos());
                EXPECT_EQ(7, ScrollPosThroughImports(frame, SB_VERT));
                EXPECT_EQ(reinterpret_cast<void*>(&SkinGetScrollPos),
                          ProcThroughImports(GetModuleHandleA("user32.dll"), "GetScrollPos"));
                // A module loaded now is patched as it loads.
                HMODULE probe = LoadLibraryA("tessarine_hook_probe.dll");
                ASSERT_NE(nullptr, probe);
                auto probeAddress =
                    reinterpret_cast<void*(__cdecl*)()>(ProcThroughImports(probe, "ProbeGetScrollPosAddress"));
                EXPECT_EQ(reinterpret_cast<void*>(&SkinGetScrollPos), probeAddress());
                FreeLibrary(probe);
                EXPECT_EQ(platformWindow, GetSysColor(COLOR_WINDOW));
            } else {
                EXPECT_FALSE(ScrollBarFunctionsIntercepted());
                EXPECT_FALSE(ColorFunctionsIntercepted());
                for (const SystemFunction& f : functions)
                    EXPECT_EQ(0, std::memcmp(f.before, f.code, sizeof f.before)) << f.name;
                EXPECT_EQ(platformWindow, GetSysColor(COLOR_WINDOW));
                EXPECT_EQ(0, RemoveApiHooks());
            }
            // The button class procedure stands in for a call handle on this kind, whatever the build.
            if (GetOSKind() == OSKindWinXP)
                EXPECT_NE(nullptr, GetButtonClassProc());
            SetScrollPos(frame, SB_VERT, 7, FALSE);
        }
        for (const SystemFunction& f : functions)
            EXPECT_EQ(0, std::memcmp(f.before, f.code, sizeof f.before)) << f.name << " restored";
        EXPECT_FALSE(ScrollBarFunctionsIntercepted());
        EXPECT_NE(reinterpret_cast<void*>(&SkinGetScrollPos), ImportedGetScrollPos());
        EXPECT_EQ(platformWindow, GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(7, ScrollPosThroughImports(frame, SB_VERT));
    }
    DestroyWindow(frame);
}
