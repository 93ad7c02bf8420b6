#ifndef TESTS_SUPPORT_PAINTED_STACK_H
#define TESTS_SUPPORT_PAINTED_STACK_H

// Measures the stack a piece of work uses: it runs on a fresh thread whose stack is a
// painted buffer, and the bytes it overwrote are counted. Not meaningful under the
// sanitizers, whose frames are larger.

#include <pthread.h>

#include <cstddef>
#include <cstdlib>

namespace painted_stack {

constexpr unsigned char kPaint = 0xA5;

template <class Work>
void* runWork(void* work) {
  (*static_cast<Work*>(work))();
  return nullptr;
}

}  // namespace painted_stack

// Bytes of a `stackBytes` stack that `work` overwrote on a fresh thread, including what
// starting the thread takes: measure an empty work for that part alone.
template <class Work>
std::size_t stackBytesUsed(Work work, std::size_t stackBytes) {
  void* stack = nullptr;
  if (posix_memalign(&stack, 4096, stackBytes) != 0) std::abort();
  auto* bytes = static_cast<unsigned char*>(stack);
  for (std::size_t i = 0; i < stackBytes; ++i) bytes[i] = painted_stack::kPaint;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstack(&attributes, stack, stackBytes);
  pthread_t thread;
  if (pthread_create(&thread, &attributes, painted_stack::runWork<Work>, &work) != 0) {
    std::abort();
  }
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  std::size_t untouched = 0;
  while (untouched < stackBytes && bytes[untouched] == painted_stack::kPaint) ++untouched;
  std::free(stack);
  return stackBytes - untouched;
}

#endif
