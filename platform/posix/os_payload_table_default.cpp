// The empty payload table of programs that embed nothing; an executable
// with payloads defines the strong one.
#include "platform/posix/payload_table.h"

extern "C" __attribute__((weak)) const fm::PayloadEntry fm_payload_table[] = {
    {0, nullptr, nullptr},
};
