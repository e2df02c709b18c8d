// The cipher of "userlist.dat": RC4 with a 128-bit key, the MD5 digest of the pass phrase the
// program carries. RC4 is its own inverse, so both routines run the same transformation; the key
// stream runs on across the whole file.
#pragma once

#include <afx.h>

// Each reads the source and writes the transformed bytes to the destination (created or
// truncated first): 1 on success, 0 on any failure.
int EncipherFile(LPCSTR sourcePath, LPCSTR destinationPath);
int DecipherFile(LPCSTR sourcePath, LPCSTR destinationPath);

// The same transformation over bytes in memory, in place, the key stream starting afresh: the user
// list is enciphered and deciphered this way, so that its plain bytes never reach the disk.
void ApplyUserListCipher(BYTE* data, size_t length);
