#include "transmit/core/SharedCpu.h"

#include <pthread.h>
#include <sched.h>

namespace vt {

void SharedCpu::Join(Role role) {
    int policy = 0;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0 || (policy != SCHED_FIFO && policy != SCHED_RR))
        return;
    int expected = -1;
    int here = sched_getcpu();
    if (here >= 0) cpu_.compare_exchange_strong(expected, here);
    int cpu = cpu_.load();
    if (cpu < 0) return;
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    if (pthread_setaffinity_np(pthread_self(), sizeof set, &set) != 0) return;
    if (role == Role::Writer && param.sched_priority < sched_get_priority_max(policy)) {
        ++param.sched_priority;
        pthread_setschedparam(pthread_self(), policy, &param);
    }
}

} // namespace vt
