#pragma once

// The progress gauge after `done` of `count` steps: done / count x 100,
// rounded to the nearest whole percent with an exact half to even, and 0
// while there is nothing to count. Worked out in integers, so that a half
// is a half however the quotient would round in floating point.
int GaugePercent(long long done, long long count);
