#include "AAX_CheckedResult.h"
#include "AAX_Assert.h"
#include "AAX_Exception.h"

AAX_CheckedResult::AAX_CheckedResult() : AAX_CheckedResult (0) {}

AAX_CheckedResult::AAX_CheckedResult (AAX_Result iResult)
    : mCurResult (iResult), mAcceptedResults { 0 }
{
    Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator= (AAX_Result iResult)
{
    mCurResult = iResult;
    Check();
    return *this;
}

void AAX_CheckedResult::Check()
{
    if (mAcceptedResults.count (mCurResult) != 0)
        return;

    const AAX::Exception::ResultError error (mCurResult);
    mLastError = mCurResult;
    mCurResult = 0;

    AAX_Trace (AAX_eTracePriority_Normal, "AAX_CheckedResult - throwing %s", error.What().c_str());
    throw error;
}
