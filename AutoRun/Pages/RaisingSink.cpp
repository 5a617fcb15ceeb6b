#include "RaisingSink.h"

CRaisingSink& CRaisingSink::Instance()
{
    static CRaisingSink sink;
    return sink;
}
