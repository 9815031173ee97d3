// memchr and strlen sixteen bytes at a time. The engine finds every line end, space run and
// paragraph with them; the C library's versions look at four bytes at a time.
//
// An aligned sixteen-byte load that holds at least one byte of the buffer never crosses a page,
// so reading the rest of that block is safe in WebAssembly's linear memory.

#include <stddef.h>
#include <stdint.h>
#include <string.h>
#include <wasm_simd128.h>

enum { BLOCK = 16 };

static const unsigned char* block_start(const unsigned char* at) {
    return (const unsigned char*)((uintptr_t)at & ~(uintptr_t)(BLOCK - 1));
}

// Bit k set when byte k of the block at `block` equals `wanted`.
static uint32_t matches(const unsigned char* block, v128_t wanted) {
    return wasm_i8x16_bitmask(wasm_i8x16_eq(wasm_v128_load(block), wanted));
}

void* memchr(const void* source, int c, size_t count) {
    if (count == 0) return NULL;
    const unsigned char* at = source;
    const unsigned char* end = at + count;
    const v128_t wanted = wasm_i8x16_splat((int8_t)c);
    const unsigned char* block = block_start(at);
    // The first block's bytes before the buffer are masked off.
    uint32_t hits = matches(block, wanted) & (0xFFFFu << (at - block));
    for (;;) {
        if (hits != 0) {
            const unsigned char* found = block + __builtin_ctz(hits);
            return found < end ? (void*)found : NULL;
        }
        block += BLOCK;
        if (block >= end) return NULL;
        hits = matches(block, wanted);
    }
}

size_t strlen(const char* text) {
    const unsigned char* at = (const unsigned char*)text;
    const v128_t zero = wasm_i8x16_splat(0);
    const unsigned char* block = block_start(at);
    uint32_t hits = matches(block, zero) & (0xFFFFu << (at - block));
    while (hits == 0) {
        block += BLOCK;
        hits = matches(block, zero);
    }
    return (size_t)(block + __builtin_ctz(hits) - at);
}
