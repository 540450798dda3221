#pragma once

#include <mutex>

namespace rasp {

// The one lock every use of COIN-OR CBC/CLP in the process takes for the length of a solve:
// parts of CBC keep process-wide state, so two integer programs never run at once.
std::mutex &CbcLock();

} // namespace rasp
