# Cross-compiles for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu; programs built here
# run under qemu-user (Debian's qemu-user), with the ARM C library from the cross packages.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(ARM64_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${ARM64_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ARM64_TRIPLET}-g++)
set(CMAKE_OBJDUMP ${ARM64_TRIPLET}-objdump)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/${ARM64_TRIPLET})

# Headers and libraries come from the ARM sysroot only; programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ARM64_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
