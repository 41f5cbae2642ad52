// How many threads one export call may use.
#pragma once

namespace colligo {

// Threads in all, the caller's own included: COLLIGO_JOBS when it is set to
// a number from 1 to 64, else the number of cores. 1 keeps every call on the
// caller's thread. The outputs are the same whatever the number.
int jobCount();

} // namespace colligo
