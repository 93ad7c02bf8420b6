// A module with the fault GCC can leave in a Windows plug-in: a 32-byte register spilled to
// the stack and reloaded with aligned moves, though Windows aligns the stack to 16 bytes only.
// Written out, since this machine's compiler happens to emit unaligned moves. The code check
// has to reject it.
extern "C" __declspec(dllexport) void mexFunction() {
  __asm__ volatile(
      "vmovapd %%ymm0, -64(%%rbp)\n\t"
      "vmovaps -64(%%rbp), %%ymm0" ::
          : "memory");
}
