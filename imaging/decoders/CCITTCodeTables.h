#pragma once

#include <cstdint>

// The run-length code words of ITU-T T.4 (also in TIFF 6.0 section 10),
// written as the bit strings of the recommendation so that they can be
// checked against it line by line.
struct TCCITTRunCode
{
    const char *bits;
    uint16_t run;
};

extern const TCCITTRunCode kCCITTWhiteCodes[];
extern const int kCCITTWhiteCodeCount;
extern const TCCITTRunCode kCCITTBlackCodes[];
extern const int kCCITTBlackCodeCount;
// Make-up codes 1792 to 2560, shared by both colours.
extern const TCCITTRunCode kCCITTExtendedMakeUpCodes[];
extern const int kCCITTExtendedMakeUpCodeCount;
