#pragma once

namespace toolkit {

// Has the allocator give the system back what is freed, at the end of a
// heap or in a large block, instead of keeping it for later. By default
// glibc raises both thresholds after each large block is freed, up to
// megabytes: after a burst of work on a helper thread (an agenda read of
// thousands of events) that thread's heap then stays resident, and with the
// blocks landing a little differently each time the clock's memory creeps
// up with every reload. The price is a system call more when a heap grows
// or shrinks, which an idle clock never does. Process-wide; the first call
// does it, later calls do nothing.
void returnFreedMemoryPromptly();

} // namespace toolkit
