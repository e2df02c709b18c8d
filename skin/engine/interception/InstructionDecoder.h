// InstructionDecoder: the length of one 32-bit x86 instruction, read from two opcode tables (one-byte
// opcodes and those after 0x0F), and its copy to another place with relative branches re-targeted so
// that they still reach their old destinations. The inline patches move a function's first
// instructions with it.
#pragma once
#include <windows.h>

struct DecodedInstruction {
    int length;        // prefixes included
    int relativeBytes; // size of a relative branch displacement (its last bytes), 0 when none
    // The branch target when it can be known: relative, or a jmp/call through a pointer at an absolute
    // address (FF 15 / FF 25), where the address and the pointer it holds are both 32-bit.
    const BYTE* target;
    bool targetUnknown; // an indirect call or jump whose target depends on registers or memory
};

// Measures the instruction at source and, when dest is given, copies it there (re-targeting a relative
// branch). Returns the next source instruction, or NULL (last error ERROR_INVALID_DATA) for a null
// address, an opcode the tables mark invalid, or a branch that cannot reach its target from dest.
const BYTE* CopyInstruction(BYTE* dest, const BYTE* source, DecodedInstruction* info = NULL);
