// The instruction-length decoder: two 256-entry tables from the published x86 opcode map, 32-bit mode.
// Each entry gives the length with the default operand (or address) size and with the other size, the
// position of a ModR/M byte, the size of a relative displacement and the routine for the opcode.
#include "skin/engine/interception/InstructionDecoder.h"

#include <cstdint>
#include <cstring>

namespace {

enum Handler : uint8_t {
    Plain,         // copy as measured
    Prefix,        // segment, lock and repeat prefixes: copied, decoding goes on with the next byte
    OperandPrefix, // 0x66: the other length column for the rest of the instruction
    AddressPrefix, // 0x67: likewise for address-sized entries and the ModR/M form
    Escape0F,      // the second table
    Group3,        // 0xF6 / 0xF7: an immediate only when the ModR/M reg field is 0
    Group5,        // 0xFF: reg 2 to 5 are indirect calls and jumps
    Invalid,
};

enum Flags : uint8_t {
    AddressSized = 1, // the length follows the address size (moffs forms)
};

struct Entry {
    uint8_t size;   // opcode bytes and fixed operands, default size; ModR/M addressing bytes excluded
    uint8_t size16; // the same with the other operand (or address) size
    uint8_t modrm;  // position of the ModR/M byte from the opcode's first byte, 0 for none
    uint8_t rel;    // bytes of the relative displacement at the instruction's end (default size)
    uint8_t flags;
    Handler handler;
};

// One-byte opcodes.
const Entry N1 = {1, 1, 0, 0, 0, Plain};
const Entry RM = {2, 2, 1, 0, 0, Plain};
const Entry RMIB = {3, 3, 1, 0, 0, Plain};
const Entry RMIZ = {6, 4, 1, 0, 0, Plain};
const Entry IB = {2, 2, 0, 0, 0, Plain};
const Entry IW = {3, 3, 0, 0, 0, Plain};
const Entry IZ = {5, 3, 0, 0, 0, Plain};
const Entry R8 = {2, 2, 0, 1, 0, Plain};
const Entry RZ = {5, 3, 0, 4, 0, Plain};
const Entry MO = {5, 3, 0, 0, AddressSized, Plain};
const Entry FP = {7, 5, 0, 0, 0, Plain};
const Entry EN = {4, 4, 0, 0, 0, Plain};
const Entry PFX = {1, 1, 0, 0, 0, Prefix};
const Entry OPS = {1, 1, 0, 0, 0, OperandPrefix};
const Entry ADS = {1, 1, 0, 0, 0, AddressPrefix};
const Entry ESC = {1, 1, 0, 0, 0, Escape0F};
const Entry G3B = {2, 2, 1, 0, 0, Group3};
const Entry G3V = {2, 2, 1, 0, 0, Group3};
const Entry G5 = {2, 2, 1, 0, 0, Group5};

// Two-byte opcodes (0x0F included in the sizes).
const Entry N2 = {2, 2, 0, 0, 0, Plain};
const Entry RM2 = {3, 3, 2, 0, 0, Plain};
const Entry RM2IB = {4, 4, 2, 0, 0, Plain};
const Entry RZ2 = {6, 4, 0, 4, 0, Plain};
const Entry E38 = {4, 4, 3, 0, 0, Plain}; // 0F 38 xx /r
const Entry E3A = {5, 5, 3, 0, 0, Plain}; // 0F 3A xx /r ib
const Entry BAD = {0, 0, 0, 0, 0, Invalid};

const Entry kOneByte[256] = {
    /* 00 */ RM,   RM,   RM,   RM,   IB,  IZ,  N1,   N1,   RM, RM,   RM, RM,   IB, IZ, N1,  ESC,
    /* 10 */ RM,   RM,   RM,   RM,   IB,  IZ,  N1,   N1,   RM, RM,   RM, RM,   IB, IZ, N1,  N1,
    /* 20 */ RM,   RM,   RM,   RM,   IB,  IZ,  PFX,  N1,   RM, RM,   RM, RM,   IB, IZ, PFX, N1,
    /* 30 */ RM,   RM,   RM,   RM,   IB,  IZ,  PFX,  N1,   RM, RM,   RM, RM,   IB, IZ, PFX, N1,
    /* 40 */ N1,   N1,   N1,   N1,   N1,  N1,  N1,   N1,   N1, N1,   N1, N1,   N1, N1, N1,  N1,
    /* 50 */ N1,   N1,   N1,   N1,   N1,  N1,  N1,   N1,   N1, N1,   N1, N1,   N1, N1, N1,  N1,
    /* 60 */ N1,   N1,   RM,   RM,   PFX, PFX, OPS,  ADS,  IZ, RMIZ, IB, RMIB, N1, N1, N1,  N1,
    /* 70 */ R8,   R8,   R8,   R8,   R8,  R8,  R8,   R8,   R8, R8,   R8, R8,   R8, R8, R8,  R8,
    /* 80 */ RMIB, RMIZ, RMIB, RMIB, RM,  RM,  RM,   RM,   RM, RM,   RM, RM,   RM, RM, RM,  RM,
    /* 90 */ N1,   N1,   N1,   N1,   N1,  N1,  N1,   N1,   N1, N1,   FP, N1,   N1, N1, N1,  N1,
    /* A0 */ MO,   MO,   MO,   MO,   N1,  N1,  N1,   N1,   IB, IZ,   N1, N1,   N1, N1, N1,  N1,
    /* B0 */ IB,   IB,   IB,   IB,   IB,  IB,  IB,   IB,   IZ, IZ,   IZ, IZ,   IZ, IZ, IZ,  IZ,
    /* C0 */ RMIB, RMIB, IW,   N1,   RM,  RM,  RMIB, RMIZ, EN, N1,   IW, N1,   N1, IB, N1,  N1,
    /* D0 */ RM,   RM,   RM,   RM,   IB,  IB,  N1,   N1,   RM, RM,   RM, RM,   RM, RM, RM,  RM,
    /* E0 */ R8,   R8,   R8,   R8,   IB,  IB,  IB,   IB,   RZ, RZ,   FP, R8,   N1, N1, N1,  N1,
    /* F0 */ PFX,  N1,   PFX,  PFX,  N1,  N1,  G3B,  G3V,  N1, N1,   N1, N1,   N1, N1, RM,  G5,
};

const Entry kTwoByte[256] = {
    /* 00 */ RM2,
    RM2,
    RM2,
    RM2,
    BAD,
    N2,
    N2,
    N2,
    N2,
    N2,
    BAD,
    N2,
    BAD,
    RM2,
    N2,
    RM2IB,
    /* 10 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 20 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    BAD,
    RM2,
    BAD,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 30 */ N2,
    N2,
    N2,
    N2,
    N2,
    N2,
    BAD,
    N2,
    E38,
    BAD,
    E3A,
    BAD,
    BAD,
    BAD,
    BAD,
    BAD,
    /* 40 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 50 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 60 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 70 */ RM2IB,
    RM2IB,
    RM2IB,
    RM2IB,
    RM2,
    RM2,
    RM2,
    N2,
    RM2,
    RM2,
    BAD,
    BAD,
    RM2,
    RM2,
    RM2,
    RM2,
    /* 80 */ RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    RZ2,
    /* 90 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* A0 */ N2,
    N2,
    N2,
    RM2,
    RM2IB,
    RM2,
    BAD,
    BAD,
    N2,
    N2,
    N2,
    RM2,
    RM2IB,
    RM2,
    RM2,
    RM2,
    /* B0 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2IB,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* C0 */ RM2,
    RM2,
    RM2IB,
    RM2,
    RM2IB,
    RM2IB,
    RM2IB,
    RM2,
    N2,
    N2,
    N2,
    N2,
    N2,
    N2,
    N2,
    N2,
    /* D0 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* E0 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    /* F0 */ RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
    RM2,
};

const int kMaxInstruction = 15;

// The addressing bytes a ModR/M byte adds: a SIB byte and 0, 1, 2 or 4 displacement bytes.
int ModRmExtra(const BYTE* modrm, bool address16)
{
    const int mod = modrm[0] >> 6, rm = modrm[0] & 7;
    if (mod == 3)
        return 0;
    if (address16) {
        if (mod == 0)
            return rm == 6 ? 2 : 0;
        return mod == 1 ? 1 : 2;
    }
    int extra = 0;
    if (rm == 4) {
        ++extra;
        if (mod == 0 && (modrm[1] & 7) == 5)
            extra += 4;
    }
    if (mod == 0 && rm == 5)
        extra += 4;
    else if (mod == 1)
        extra += 1;
    else if (mod == 2)
        extra += 4;
    return extra;
}

int32_t ReadDisplacement(const BYTE* p, int bytes)
{
    switch (bytes) {
    case 1:
        return static_cast<int8_t>(p[0]);
    case 2: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    default: {
        int32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    }
}

bool WriteDisplacement(BYTE* p, int bytes, long long value)
{
    switch (bytes) {
    case 1:
        if (value < -128 || value > 127)
            return false;
        p[0] = static_cast<BYTE>(static_cast<int8_t>(value));
        return true;
    case 2: {
        if (value < -32768 || value > 32767)
            return false;
        const int16_t v = static_cast<int16_t>(value);
        std::memcpy(p, &v, 2);
        return true;
    }
    default: {
        const int32_t v = static_cast<int32_t>(value);
        std::memcpy(p, &v, 4);
        return true;
    }
    }
}

// The target of a jump or call through a pointer in 32-bit code: the instruction holds the pointer's
// four-byte address, and the pointer there is four bytes as well, whatever this build's own pointer size.
const BYTE* ThroughPointer32(const BYTE* addressBytes)
{
    uint32_t address, pointer;
    std::memcpy(&address, addressBytes, sizeof address);
    std::memcpy(&pointer, reinterpret_cast<const void*>(static_cast<uintptr_t>(address)), sizeof pointer);
    return reinterpret_cast<const BYTE*>(static_cast<uintptr_t>(pointer));
}

const BYTE* Fail()
{
    SetLastError(ERROR_INVALID_DATA);
    return NULL;
}

} // namespace

const BYTE* CopyInstruction(BYTE* dest, const BYTE* source, DecodedInstruction* info)
{
    DecodedInstruction local;
    DecodedInstruction& out = info ? *info : local;
    std::memset(&out, 0, sizeof out);
    if (!source)
        return Fail();
    bool operand16 = false, address16 = false;
    const BYTE* p = source;
    // Prefixes first; each is copied as it stands.
    for (;;) {
        if (p - source >= kMaxInstruction)
            return Fail();
        const Handler h = kOneByte[*p].handler;
        if (h == Prefix)
            ++p;
        else if (h == OperandPrefix)
            operand16 = true, ++p;
        else if (h == AddressPrefix)
            address16 = true, ++p;
        else
            break;
    }
    const BYTE* opcode = p;
    Entry entry = kOneByte[*p];
    if (entry.handler == Escape0F)
        entry = kTwoByte[p[1]];
    if (entry.handler == Invalid)
        return Fail();
    const bool otherSize = (entry.flags & AddressSized) ? address16 : operand16;
    int length = otherSize ? entry.size16 : entry.size;
    if (entry.modrm) {
        const BYTE* modrm = opcode + entry.modrm;
        length += ModRmExtra(modrm, address16);
        const int reg = (modrm[0] >> 3) & 7;
        if (entry.handler == Group3 && reg == 0)
            length += *opcode == 0xF6 ? 1 : (operand16 ? 2 : 4);
        if (entry.handler == Group5 && reg >= 2 && reg <= 5) {
            if (modrm[0] == 0x15 || modrm[0] == 0x25) {
                out.target = ThroughPointer32(modrm + 1);
            } else {
                out.targetUnknown = true;
            }
        }
    }
    const int total = static_cast<int>(opcode - source) + length;
    if (total > kMaxInstruction)
        return Fail();
    out.length = total;
    out.relativeBytes = entry.rel == 4 && operand16 ? 2 : entry.rel;
    const BYTE* next = source + total;
    if (out.relativeBytes)
        out.target = next + ReadDisplacement(next - out.relativeBytes, out.relativeBytes);
    if (dest) {
        std::memcpy(dest, source, total);
        if (out.relativeBytes) {
            const long long moved = reinterpret_cast<intptr_t>(out.target) - reinterpret_cast<intptr_t>(dest + total);
            if (!WriteDisplacement(dest + total - out.relativeBytes, out.relativeBytes, moved))
                return Fail();
        }
    }
    return next;
}
