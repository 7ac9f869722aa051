#include "texttools/CodePages.h"

int CodePageIndex(int codePageNr)
{
    for (size_t i = 0; i < CodePageTable.size(); ++i) {
        if (CodePageTable[i].CodePageNr == codePageNr)
            return int(i);
    }
    return -1;
}
