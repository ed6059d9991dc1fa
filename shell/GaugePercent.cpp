#include "shell/GaugePercent.h"

int GaugePercent(long long done, long long count)
{
    if (count <= 0 || done <= 0)
        return 0;
    const long long scaled = done * 100;
    long long percent = scaled / count;
    const long long twiceRest = (scaled % count) * 2;
    if (twiceRest > count || (twiceRest == count && percent % 2 != 0))
        ++percent;
    return int(percent);
}
