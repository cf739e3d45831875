#pragma once

#include "AAX.h"

#include <set>

// Holds a result and throws AAX::Exception::ResultError (after tracing it to the host)
// whenever it is given a result outside its accepted set, which holds only 0.
class AAX_CheckedResult
{
public:
    AAX_CheckedResult();
    AAX_CheckedResult (AAX_Result iResult);

    AAX_CheckedResult& operator= (AAX_Result iResult);

    AAX_Result Result() const { return mCurResult; }
    AAX_Result LastError() const { return mLastError; }

private:
    void Check();

    AAX_Result mCurResult;
    AAX_Result mLastError = 0;
    std::set<AAX_Result> mAcceptedResults;
};
