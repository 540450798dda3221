#include "cbclock.h"

namespace rasp {

std::mutex &CbcLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace rasp
