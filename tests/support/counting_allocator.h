#ifndef TESTS_SUPPORT_COUNTING_ALLOCATOR_H
#define TESTS_SUPPORT_COUNTING_ALLOCATOR_H

// A program linked with counting_allocator.cpp replaces the C library's allocation functions
// (which operator new uses too) with ones that count while asked to. Only for programs never
// built under the sanitizers, which replace them too.

void startCountingAllocations();
long stopCountingAllocations();  // how many were made since the start

// Allocations made while `work` runs.
template <class Work>
long allocationsDuring(Work work) {
  startCountingAllocations();
  work();
  return stopCountingAllocations();
}

#endif
