// Heap allocations made so far by this program; linking allocation_counter.cpp
// replaces the global operator new to count them.
#pragma once

long allocationCount();
